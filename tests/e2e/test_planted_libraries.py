"""Orbitarium.scr run from a folder where someone left libraries named like those the saver, its 3dfx
option, its password check and the system's window code load (a Downloads folder): with Wine told to
prefer such copies, as Windows does for every library that is not one of its KnownDLLs, the preview,
the settings and the saver itself load none of them and run as they should.

Each planted copy is the marker test library (tests/windows/fakes), which appends its file name to
loads.txt in its folder whenever it is loaded. (Not version.dll: Wine's own user32 loads it when a
process starts, before any code of the saver runs, which Windows does not.)
"""
import os
import shutil
import tempfile
import unittest

import harness

SCR = harness.SCR
FAKES = os.environ.get("ORBITARIUM_FAKES") or os.path.join(os.path.dirname(SCR), "tests", "windows", "fakes")
MARKER = os.path.join(FAKES, "marker", "marker.dll")
PLANTED = ["glu32.dll", "winmm.dll", "opengl32.dll", "glide2x.dll", "glide3x.dll", "3dfxvgl.dll", "uxtheme.dll",
           "dwmapi.dll", "comctl32.dll", "mpr.dll", "password.cpl"]
# Native first for each of them.
OVERRIDES = "mscoree,mshtml=;" + ",".join(name[:-4] if name.endswith(".dll") else name for name in PLANTED) + "=n,b"


class PlantedLibraries(harness.SessionTestCase):
    def setUp(self):
        self.session.reg_delete_key()
        self.session.reg_set("3dfx", 1)  # the Glide probe looks for its libraries too
        self.folder = tempfile.mkdtemp(prefix="orbitarium-downloads-")
        shutil.copy(SCR, self.folder)
        for name in PLANTED:
            shutil.copy(MARKER, os.path.join(self.folder, name))
        self.session.scr = os.path.join(self.folder, os.path.basename(SCR))

    def tearDown(self):
        self.end_saver_left_running()
        self.session.reg_delete_key()
        shutil.rmtree(self.folder, ignore_errors=True)
        self.session.scr = os.path.abspath(SCR)

    def launch(self, *args):
        self.session.launch(*args, cwd=self.folder, extra_env={"WINEDLLOVERRIDES": OVERRIDES})

    def loaded(self):
        try:
            with open(os.path.join(self.folder, "loads.txt")) as log:
                return [line.strip() for line in log if line.strip()]
        except FileNotFoundError:
            return []

    def test_preview_settings_and_saver_load_none_of_them(self):
        self.launch("/p", "1234")
        self.assertExitCode(0, timeout=30, what="/p")

        self.launch("/c")
        dialog = self.session.wait_window("Orbitarium Settings", timeout=60)
        self.session.key(dialog, "Escape")
        self.assertExitCode(0, timeout=30, what="/c")

        self.launch("/s")
        window = self.session.wait_window("Orbitarium", timeout=60)
        self.session.wait_frames(count=8)
        self.session.key(window, "Escape")
        self.assertExitCode(0, timeout=30, what="/s")

        self.assertEqual(self.loaded(), [], "libraries loaded from the saver's folder")


if __name__ == "__main__":
    unittest.main()
