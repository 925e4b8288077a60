"""Start-up with a stored display mode that no longer fits the display: no error, the saver runs.
(The box of a mode switch that fails, and that it stays until answered, are tested in tests/windows.)"""
import unittest

import harness


class StaleStoredMode(harness.SessionTestCase):
    def tearDown(self):
        self.end_saver_left_running()
        self.session.reg_delete_key()

    def test_a_mode_the_display_no_longer_lists_runs_in_its_own_mode_without_a_box(self):
        # A plain X display has only its own size: a stored 1234 x 777 is one it does not list (as after
        # a change of monitor), so the saver runs in the display's own mode and leaves the stored one.
        self.session.reg_set("ScrWidth", 1234)
        self.session.reg_set("ScrHeight", 777)
        self.session.launch("/s")
        window = self.session.wait_window("Orbitarium", timeout=60)
        self.session.wait_frames(count=4)
        self.assertEqual(self.session.windows_titled("Error"), [], "an error box")
        shot = self.session.grab()
        self.assertEqual((shot.width, shot.height), self.session.size)
        self.assertGreater(shot.lit_fraction(), 0.005, "the frame is black")
        self.session.key(window, "Escape")
        self.assertExitCode(0, timeout=30)
        self.assertEqual(self.session.reg_get("ScrWidth"), "0x4d2")


if __name__ == "__main__":
    unittest.main()
