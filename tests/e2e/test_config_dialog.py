"""The settings dialog as the Screen Saver control panel opens it, answered from the keyboard."""
import unittest

import harness

SHOTS = harness.SHOTS

TITLE = "Orbitarium Settings"
OPTIONS = ["ScrWidth", "ScrHeight", "ColorBits", "Hertz", "AutoPilot", "CameraSpeed", "PlanetSpeed",
           "NumStars", "3dfx", "InvertMouse", "ShowMouse"]


class SettingsDialog(harness.SessionTestCase):

    def setUp(self):
        self.session.reg_delete_key()

    def open_dialog(self, *args):
        self.session.launch(*args)
        return self.session.wait_window(TITLE)

    def test_return_confirms_and_writes_all_eleven(self):
        self.session.reg_set("NumStars", 3)
        self.session.reg_set("3dfx", 2)  # shown unchecked: the box is checked only for 1
        self.session.reg_set("AutoPilot", 7)
        window = self.open_dialog("/c")
        if SHOTS:
            self.session.screenshot("config-dialog")
        self.session.key(window, "Return")
        self.assertExitCode(0, timeout=30)
        stored = {name: self.session.reg_get(name) for name in OPTIONS}
        self.assertNotIn(None, stored.values(), stored)
        self.assertEqual(stored["NumStars"], "0x3")
        self.assertEqual(stored["3dfx"], "0x0")
        self.assertEqual(stored["AutoPilot"], "0x1")
        self.assertEqual(stored["CameraSpeed"], "0x4")
        self.assertEqual(stored["PlanetSpeed"], "0x3")
        # The display's own mode: the virtual screen is 1024 x 768 and reports no frequency.
        self.assertEqual(stored["ScrWidth"], "0x400")
        self.assertEqual(stored["ScrHeight"], "0x300")
        self.assertEqual(stored["Hertz"], "0x0")

    def test_escape_without_argument_writes_nothing(self):
        window = self.open_dialog()
        self.session.key(window, "Escape")
        self.assertExitCode(0, timeout=30)
        for name in OPTIONS:
            self.assertIsNone(self.session.reg_get(name), name)


if __name__ == "__main__":
    unittest.main()
