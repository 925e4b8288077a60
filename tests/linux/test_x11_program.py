"""The real program on a private Xvfb display, driven the way a person or XScreenSaver would."""
import os
import signal
import time
import unittest

from x11_harness import Display, SimpleWindow, cpu_seconds, project_origin, wait_exit, PROGRAM


class ProgramTest(unittest.TestCase):
    def setUp(self):
        self.assertTrue(os.access(PROGRAM, os.X_OK), "ORBITARIUM_PROGRAM is not a program: " + PROGRAM)
        # Wide enough that a 1200-pixel window is on the screen whole (xwd sees only what is on it).
        self.display = Display(size="1280x1024x24")
        self.processes = []

    def tearDown(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait()
            process.stdout.close()
            process.stderr.close()
        self.display.close()

    def start(self, *arguments, **keywords):
        process = self.display.start(*arguments, **keywords)
        self.processes.append(process)
        return process

    def assert_still_running(self, process, why):
        if process.poll() is not None:
            self.fail(why + " ended the program: " + process.stderr.read())

    def assert_sun_round_and_bright(self, image, label):
        x, y = project_origin(image.width, image.height)
        self.assertGreater(image.brightness(x, y), 400, "%s: the Sun is not bright at %d,%d" % (label, x, y))
        across, down = image.sun_box(x, y)
        self.assertGreater(down, 0.18 * image.height, "%s: the Sun is only %d high" % (label, down))
        self.assertLess(down, 0.32 * image.height, "%s: the Sun is %d high" % (label, down))
        # Round: as wide as it is high, within a few pixels (the glow blurs the edge), and of the size
        # the fixed vertical field of view gives it: about a quarter of the view's height.
        self.assertLess(abs(across - down), max(4, 0.06 * down), "%s: the Sun is %d x %d" % (label, across, down))

    def test_window_shows_the_scene_and_keeps_the_sun_round_through_resizes(self):
        # The planets stand still (speed 0) and the camera too, so that every frame is the same
        # picture: one passing beside the Sun would join it in the measure of its size.
        process = self.start("--manual", "--seed", "5", "--planet-speed", "0")
        window = self.display.find_window(process)
        self.display.wait_for_frame(process, window, 1024, 768)
        image = self.display.capture(window, keep_as="window-1024x768.png")
        self.assertEqual((image.width, image.height), (1024, 768))
        self.assert_sun_round_and_bright(image, "1024 x 768")
        self.assertGreater(image.mean_brightness(), 5, "the frame is black")
        for width, height in ((640, 640), (1200, 400)):
            self.display.run("xdotool", "windowsize", "--sync", window, str(width), str(height))
            self.display.wait_for_frame(process, window, width, height)
            image = self.display.capture(window, keep_as="window-%dx%d.png" % (width, height))
            self.assertEqual((image.width, image.height), (width, height))
            self.assert_sun_round_and_bright(image, "%d x %d" % (width, height))
        self.assert_still_running(process, "resizing")

    def test_flight_keys_and_clicks_fly_and_only_escape_ends_it(self):
        process = self.start("--seed", "9")
        window = self.display.find_window(process)
        self.display.run("xdotool", "windowfocus", "--sync", window)
        self.display.run("xdotool", "key", "1", "5", "0", "t", "p", "Left", "Up", "Right", "Down", "p")
        self.display.run("xdotool", "mousemove", "--window", window, "600", "300", "click", "1",
                         "click", "3", "click", "2", "mousemove", "--window", window, "10", "10",
                         "mousemove", "--window", window, "900", "700", "mousemove", "--window", window, "5", "700")
        time.sleep(1.0)
        self.assert_still_running(process, "digits, T, P, arrows, clicks or moves")
        self.display.run("xdotool", "key", "Escape")
        code, seconds = wait_exit(process, 5)
        self.assertEqual(code, 0, process.stderr.read())

    def test_q_ends_the_window_and_so_does_destroying_it(self):
        process = self.start()
        window = self.display.find_window(process)
        self.display.run("xdotool", "windowfocus", "--sync", window)
        self.display.run("xdotool", "key", "q")
        self.assertEqual(wait_exit(process, 5)[0], 0)
        process = self.start()
        window = self.display.find_window(process)
        time.sleep(0.5)
        self.display.run("xdotool", "windowclose", window)
        self.assertEqual(wait_exit(process, 5)[0], 0, process.stderr.read())

    def test_full_screen_ends_on_any_other_key(self):
        process = self.start("--fullscreen")
        window = self.display.find_window(process)
        time.sleep(1.0)
        self.display.run("xdotool", "windowfocus", "--sync", window)
        self.display.run("xdotool", "key", "1", "Up")
        time.sleep(0.5)
        self.assert_still_running(process, "flight keys in full screen")
        image = self.display.capture(window)
        self.assertEqual((image.width, image.height), (1280, 1024))
        self.display.run("xdotool", "key", "a")
        self.assertEqual(wait_exit(process, 5)[0], 0)

    def wait_for_drawn_count(self, process, window, count, timeout=20.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline and process.poll() is None:
            drawn = self.display.drawn(window)
            if drawn and drawn[2] == count:
                return
            time.sleep(0.05)
        self.fail("the frame count never read %d (it reads %s): %s"
                  % (count, self.display.drawn(window), self.display.describe(process)))

    def assert_rests(self, process, window, how):
        """Nothing of the window shows: no frame is drawn (the count of frames shown, set to 0 when the
        rest began, stays there) and the program's CPU falls to near nothing."""
        self.wait_for_drawn_count(process, window, 0)
        time.sleep(0.5)
        cpu, started = cpu_seconds(process.pid), time.monotonic()
        time.sleep(3)
        used = (cpu_seconds(process.pid) - cpu) / (time.monotonic() - started)
        self.assertEqual(self.display.drawn(window)[2], 0, how + ": frames were drawn")
        # Drawing takes most of a core here; resting, the program only waits on the X connection.
        self.assertLess(used, 0.05, how + ": %.3f of a core" % used)
        self.assert_still_running(process, how)

    def test_a_window_covered_whole_or_unmapped_draws_nothing_until_part_of_it_shows(self):
        for arguments, size in (((), (1024, 768)), (("--fullscreen",), (1280, 1024))):
            process = self.start("--seed", "7", *arguments)
            window = self.display.find_window(process)
            self.display.wait_for_frame(process, window, *size)
            cover = SimpleWindow(self.display.name, 1280, 1024, x=0, y=0, cover=True)
            try:
                self.assert_rests(process, window, "covered %s" % (arguments,))
            finally:
                cover.close()
            self.display.wait_for_frame(process, window, *size)
            # Covered all but a strip of 10 pixels: that part shows, so it draws.
            cover = SimpleWindow(self.display.name, 1280, 1024, x=0, y=10, cover=True)
            try:
                time.sleep(1.5)
                self.assertEqual(self.display.drawn(window)[2], 2, "a window showing a strip of itself rested")
            finally:
                cover.close()
            self.display.run("xdotool", "windowunmap", "--sync", window)
            self.assert_rests(process, window, "unmapped %s" % (arguments,))
            self.display.run("xdotool", "windowmap", "--sync", window)
            self.display.wait_for_frame(process, window, *size)
            process.send_signal(signal.SIGTERM)
            self.assertEqual(wait_exit(process, 5)[0], 0, process.stderr.read())

    def test_root_window_is_drawn_and_sigterm_ends_it_within_a_second(self):
        # A still scene (see the resize test), so that the first frame on the screen is the one to judge.
        process = self.start("--root", "--seed", "3", "--manual", "--planet-speed", "0")
        image = self.display.wait_for_picture(process, keep_as="root.png")
        self.assert_sun_round_and_bright(image, "root")
        self.assert_still_running(process, "drawing into the root")
        process.send_signal(signal.SIGTERM)
        code, seconds = wait_exit(process, 5)
        self.assertEqual(code, 0, process.stderr.read())
        self.assertLess(seconds, 1.0)
        # SIGINT the same way, through XScreenSaver's variable this time.
        window = SimpleWindow(self.display.name, 300, 200)
        try:
            env = dict(self.display.env, XSCREENSAVER_WINDOW=hex(window.id))
            grey = self.display.capture(window.id)
            process = self.start("--root", env=env)
            image = self.display.wait_for_picture(process, window.id, unlike=grey)
            self.assertGreater(image.mean_brightness(), 5, "XSCREENSAVER_WINDOW is black")
            process.send_signal(signal.SIGINT)
            code, seconds = wait_exit(process, 5)
            self.assertEqual(code, 0)
            self.assertLess(seconds, 1.0)
        finally:
            window.close()

    def test_a_given_200_by_150_window_shows_the_whole_scene(self):
        window = SimpleWindow(self.display.name, 200, 150)
        try:
            grey = self.display.capture(window.id)
            process = self.start("--window-id", str(window.id), "--manual", "--seed", "4", "--planet-speed", "0")
            image = self.display.wait_for_picture(process, window.id, unlike=grey, keep_as="preview-200x150.png")
            self.assertEqual((image.width, image.height), (200, 150))
            self.assert_sun_round_and_bright(image, "200 x 150")
            process.send_signal(signal.SIGTERM)
            self.assertEqual(wait_exit(process, 5)[0], 0)
        finally:
            window.close()

    def test_bad_flags_exit_2_with_one_line_naming_the_flag(self):
        for arguments, named in ((["--stars", "7"], "--stars"), (["--delay", "soon"], "--delay"),
                                 (["--geometry", "big"], "--geometry"), (["--warp"], "--warp"),
                                 (["--window-id", "0"], "--window-id")):
            result = self.display.run(PROGRAM, *arguments, check=False)
            self.assertEqual(result.returncode, 2, arguments)
            self.assertIn(named, result.stderr)
            self.assertEqual(len(result.stderr.strip().splitlines()), 1, result.stderr)
        result = self.display.run(PROGRAM, "--help", check=False)
        self.assertEqual(result.returncode, 0)
        self.assertIn("--camera-speed", result.stdout)


if __name__ == "__main__":
    unittest.main()
