"""Which OpenGL driver Orbitarium.scr /s runs through, with test libraries in the Windows system folder
of the test prefix, where 3dfx's drivers and Glide runtimes install themselves.

The test libraries (tests/windows/fakes) each append their file name to loads.txt in their folder
whenever they are loaded; the 3dfxvgl.dll stand-in forwards OpenGL to the system's opengl32.dll and
writes its count of buffer swaps to swaps.txt. The saver loads them from the system folder only.
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
RECORDING_3DFXVGL = ("recording", "3dfxvgl.dll")

# What a test leaves in the system folder: the libraries and what they write beside themselves.
LEFT_IN_SYSTEM = ["glide2x.dll", "glide3x.dll", "3dfxvgl.dll", "loads.txt", "swaps.txt", "gl-calls.txt"]

# The textures the saver loads: the twelve bodies (0 to 11, the first seven 512 x 512), the glow twice
# (13, 14) and the loading picture (15).
TEXTURE_NAMES = list(range(12)) + [13, 14, 15]


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
        self.system = self.session.system_folder()
        self.clear_system_folder()

    def clear_system_folder(self):
        for name in LEFT_IN_SYSTEM:
            try:
                os.remove(os.path.join(self.system, name))
            except FileNotFoundError:
                pass

    def tearDown(self):
        self.end_saver_left_running()
        shutil.rmtree(self.folder, ignore_errors=True)
        self.clear_system_folder()

    def install(self, *libraries, into=None):
        """Puts test libraries into a folder: the system folder unless said otherwise."""
        for folder, name in libraries:
            shutil.copy(os.path.join(FAKES, folder, name), os.path.join(into or self.system, name))

    def loads(self, folder=None):
        """The test libraries loaded so far from the folder (the system folder by default), in order."""
        try:
            with open(os.path.join(folder or self.system, "loads.txt")) as log:
                return [line.strip().lower() for line in log if line.strip()]
        except FileNotFoundError:
            return []

    def swaps(self):
        """The counting driver's swap count; None while it has counted none."""
        try:
            with open(os.path.join(self.system, "swaps.txt")) as count:
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

    def start_saver(self, **launch):
        self.session.launch("/s", **launch)
        return self.session.wait_window("Orbitarium", timeout=60)

    def recorded(self):
        """What the recording driver has seen: its counts by name, and its uploads as (texture, level,
        width, height)."""
        counts, levels = {}, []
        try:
            with open(os.path.join(self.system, "gl-calls.txt")) as record:
                for line in record:
                    words = line.split()
                    if words and words[0] == "level":
                        levels.append(tuple(int(w) for w in words[1:]))
                    elif len(words) == 2:
                        counts[words[0]] = int(words[1])
        except FileNotFoundError:
            pass
        return counts, levels

    def end_with_escape(self, window):
        # Within the grace period after start-up no password is asked.
        self.session.key(window, "Escape")
        self.assertExitCode(0, timeout=20)

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

    def test_a_3dfx_driver_gets_the_camera_every_frame_and_every_mip_level_within_its_size(self):
        self.install(GLIDE2X, RECORDING_3DFXVGL)
        self.session.reg_set("3dfx", 1)
        window = self.start_saver()
        deadline = time.monotonic() + 30
        while self.recorded()[0].get("swaps", 0) < 20 and time.monotonic() < deadline:
            time.sleep(0.1)
        shot = self.session.screenshot("driver-recording")
        self.end_with_escape(window)
        counts, levels = self.recorded()
        self.assertGreaterEqual(counts.get("swaps", 0), 20)
        self.assertEqual(counts["frames-without-camera"], 0, "frames drawn without the camera")
        self.assertEqual(counts["camera-not-a-rotation"], 0)
        self.assertEqual(counts["refused"], 0, "uploads larger than the driver takes")
        for texture in TEXTURE_NAMES:
            chain = sorted({(level, w, h) for t, level, w, h in levels if t == texture})
            self.assertEqual(chain, [(level, 256 >> level, 256 >> level) for level in range(9)],
                             "texture %d" % texture)
        self.assertGreater(harness.Image.read(shot).lit_fraction(), 0.005, "the frame drawn through it is black")

    def assert_planted_libraries_are_not_loaded(self, shot_name, planted, **launch):
        """A Glide runtime and a 3dfx driver in a folder that is not the system folder: the saver runs
        through opengl32.dll and loads neither."""
        self.install(GLIDE2X, COUNTING_3DFXVGL, into=planted)
        self.session.reg_set("3dfx", 1)
        window = self.start_saver(**launch)
        time.sleep(1.5)  # frames are drawn meanwhile
        shot = self.session.screenshot(shot_name)
        self.end_with_escape(window)
        self.assertEqual(self.loads(planted), [])
        self.assertFalse(os.path.exists(os.path.join(planted, "swaps.txt")))
        self.assertGreater(harness.Image.read(shot).lit_fraction(), 0.005, "the frame is black")

    def test_libraries_in_the_current_directory_are_not_loaded(self):
        planted = tempfile.mkdtemp(prefix="orbitarium-cwd-")
        try:
            self.assert_planted_libraries_are_not_loaded("driver-cwd-ignored", planted, cwd=planted)
        finally:
            shutil.rmtree(planted, ignore_errors=True)

    def test_libraries_on_the_path_are_not_loaded(self):
        planted = tempfile.mkdtemp(prefix="orbitarium-path-")
        try:
            # WINEPATH puts the folder on the Windows PATH of the process.
            self.assert_planted_libraries_are_not_loaded("driver-path-ignored", planted,
                                                         extra_env={"WINEPATH": "Z:" + planted.replace("/", "\\")})
        finally:
            shutil.rmtree(planted, ignore_errors=True)

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
        self.assertExitsAtOnceWithoutAWindow("/s")
        # It was that library the saver chose and refused.
        self.assertEqual(self.loads(), ["glide2x.dll", "3dfxvgl.dll", "3dfxvgl.dll"])


if __name__ == "__main__":
    unittest.main()
