"""Start-up errors the user must be able to read: the error box stays up until it is answered."""
import time
import unittest

import harness


class StartUpErrorBox(harness.SessionTestCase):
    def tearDown(self):
        if self.session.running():
            try:
                self.session.wait_exit(timeout=0)
            except harness.HarnessError:
                pass
        self.session.reg_delete_key()

    def test_a_mode_the_display_lacks_keeps_its_box_until_answered(self):
        # A plain X display has only its own size: this one makes the display-mode switch fail.
        self.session.reg_set("ScrWidth", 1234)
        self.session.reg_set("ScrHeight", 777)
        self.session.launch("/s")
        box = self.session.wait_window("Error", timeout=60)
        # The box took the activation from the saver window; nothing may close it but the user.
        time.sleep(5)
        self.assertTrue(self.session.running(), "the saver ended before the box was answered")
        self.assertIn(box, self.session.visible_windows())
        if self.session.shots_dir:
            self.session.screenshot("startup-error-box")
        self.session.key(box, "Return")
        self.assertExitCode(1, timeout=30)
        # The saver's window went with the process, and the display keeps its own size.
        self.assertEqual(self.session.visible_windows(), [])
        shot = self.session.grab()
        self.assertEqual((shot.width, shot.height), self.session.size)


if __name__ == "__main__":
    unittest.main()
