"""Which OpenGL driver Orbitarium.scr /s runs through, with test libraries beside a copy of the saver.

The test libraries (tests/windows/fakes) each append their file name to loads.txt in their folder
whenever they are loaded; the 3dfxvgl.dll stand-in forwards OpenGL to the system's opengl32.dll and
writes its count of buffer swaps to swaps.txt. Libraries beside the program win over any other.
"""
import os
import shutil
import tempfile
import time
import unittest

import harness

SCR, SHOTS = harness.SCR, harness.SHOTS
FAKES = os.environ.get("ORBITARIUM_FAKES") or os.path.join(os.path.dirname(SCR), "tests", "windows", "fakes")

# (folder under FAKES, file name)
GLIDE2X = ("glide2x", "glide2x.dll")
GLIDE3X = ("glide3x", "glide3x.dll")
COUNTING_3DFXVGL = ("3dfxvgl", "3dfxvgl.dll")
NO_VIEWPORT_3DFXVGL = ("no_viewport", "3dfxvgl.dll")


class DriverChoice(harness.SessionTestCase):
    @classmethod
    def tearDownClass(cls):
        cls.session.reg_delete_key()
        super().tearDownClass()

    def setUp(self):
        self.session.reg_delete_key()
        self.folder = tempfile.mkdtemp(prefix="orbitarium-driver-")
        shutil.copy(SCR, self.folder)
        self.session.scr = os.path.join(self.folder, os.path.basename(SCR))
        self.session.shots_dir = SHOTS or self.folder

    def tearDown(self):
        if self.session.running():  # a failed case: end it
            try:
                self.session.wait_exit(timeout=0)
            except harness.HarnessError:
                pass
        shutil.rmtree(self.folder, ignore_errors=True)

    def install(self, *libraries):
        for folder, name in libraries:
            shutil.copy(os.path.join(FAKES, folder, name), os.path.join(self.folder, name))

    def loads(self):
        """The test libraries loaded so far, in order."""
        try:
            with open(os.path.join(self.folder, "loads.txt")) as log:
                return [line.strip().lower() for line in log if line.strip()]
        except FileNotFoundError:
            return []

    def swaps(self):
        """The counting driver's swap count; None while it has counted none."""
        try:
            with open(os.path.join(self.folder, "swaps.txt")) as count:
                text = count.read().strip()
        except FileNotFoundError:
            return None
        return int(text) if text else None  # empty for a moment while the driver rewrites it

    def wait_swaps(self, at_least, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            count = self.swaps()
            if count is not None and count >= at_least:
                return count
            time.sleep(0.05)
        self.fail("the driver counted %s swaps in %.0f s, not %d" % (self.swaps(), timeout, at_least))

    def start_saver(self):
        self.session.launch("/s")
        return self.session.wait_window("Orbitarium", timeout=60)

    def end_with_escape(self, window):
        # Within the grace period after start-up no password is asked.
        self.session.key(window, "Escape")
        self.assertEqual(self.session.wait_exit(timeout=20), 0)

    def assert_runs_through_the_counting_driver(self, name):
        window = self.start_saver()
        first = self.wait_swaps(2)
        later = self.wait_swaps(first + 3)
        self.assertGreater(later, first)
        shot = self.session.screenshot(name)
        self.end_with_escape(window)
        return shot

    def test_glide2x_present_runs_through_3dfxvgl(self):
        self.install(GLIDE2X, GLIDE3X, COUNTING_3DFXVGL)
        self.session.reg_set("3dfx", 1)
        shot = self.assert_runs_through_the_counting_driver("driver-3dfxvgl")
        # glide2x.dll answers the probe (glide3x.dll is not tried); the probe's 3dfxvgl.dll is freed and
        # the driver loaded afresh.
        self.assertEqual(self.loads(), ["glide2x.dll", "3dfxvgl.dll", "3dfxvgl.dll"])
        self.assertGreater(harness.Image.read(shot).lit_fraction(), 0.005, "the frame drawn through 3dfxvgl.dll is black")

    def test_glide3x_alone_still_finds_the_glide_runtime(self):
        self.install(GLIDE3X, COUNTING_3DFXVGL)
        self.session.reg_set("3dfx", 1)
        self.assert_runs_through_the_counting_driver("driver-glide3x")
        self.assertEqual(self.loads(), ["glide3x.dll", "3dfxvgl.dll", "3dfxvgl.dll"])

    def test_3dfx_off_probes_nothing_and_runs_through_opengl32(self):
        self.install(GLIDE2X, GLIDE3X, COUNTING_3DFXVGL)
        self.session.reg_set("3dfx", 0)
        window = self.start_saver()
        time.sleep(1.5)  # frames are drawn meanwhile
        self.assertTrue(self.session.running())
        self.end_with_escape(window)
        self.assertEqual(self.loads(), [])
        self.assertIsNone(self.swaps())

    def test_3dfx_driver_missing_a_core_function_ends_at_once_without_a_window(self):
        self.install(GLIDE2X, NO_VIEWPORT_3DFXVGL)
        self.session.reg_set("3dfx", 1)
        self.session.launch("/s")
        started = time.monotonic()
        seen = []
        while self.session.running() and time.monotonic() - started < 20:
            seen += self.session.visible_windows()
            time.sleep(0.05)
        code = self.session.wait_exit(timeout=1)
        seen += self.session.visible_windows()
        self.assertEqual(code, 0)
        self.assertEqual(seen, [], "a window appeared")
        self.assertLess(time.monotonic() - started, 10)  # "at once", Wine's own start-up included
        # It was that library the saver chose and refused.
        self.assertEqual(self.loads(), ["glide2x.dll", "3dfxvgl.dll", "3dfxvgl.dll"])


if __name__ == "__main__":
    unittest.main()
