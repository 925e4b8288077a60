"""The real program on a private Xvfb display, driven the way a person or XScreenSaver would."""
import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest

from x11_harness import Display, SimpleWindow, cpu_seconds, project_origin, render_still, wait_exit, PROGRAM

# Seconds within which the program must answer a signal, a key or a resize. It answers within a few
# milliseconds (the figures are printed); the limits are wide so that a loaded machine never fails
# them, yet far below the 5 s of a frame delay that the program once slept through.
PROMPT = 2.5


def note(text):
    print(text, file=sys.stderr)


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
        note("SIGTERM on the root: ended in %.3f s" % seconds)
        self.assertLess(seconds, PROMPT)
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
            self.assertLess(seconds, PROMPT)
        finally:
            window.close()

    def test_a_given_200_by_150_window_shows_the_scene_right_way_up_whatever_its_visual(self):
        # A still scene, so that the window must show exactly the program's first still.
        still_flags = ("--manual", "--seed", "4", "--planet-speed", "0")
        with tempfile.TemporaryDirectory() as folder:
            still = render_still(still_flags, "200x150", folder)
        for without_depth in (False, True):
            window = SimpleWindow(self.display.name, 200, 150, without_depth=without_depth)
            label = "a visual without depth buffer (0x%x)" % window.visual.visualid if without_depth else "the root's visual"
            try:
                grey = self.display.capture(window.id)
                process = self.start("--window-id", str(window.id), *still_flags)
                shot = "preview-200x150%s.png" % ("-no-depth" if without_depth else "")
                image = self.display.wait_for_picture(process, window.id, unlike=grey, keep_as=shot)
                self.assertEqual((image.width, image.height), (200, 150))
                self.assert_sun_round_and_bright(image, "200 x 150 on " + label)
                # The first frame, right way up: close to the still and far from it upside down.
                time.sleep(0.5)
                image = self.display.capture(window.id)
                near, flipped = image.difference(still), image.difference(still, flipped=True)
                self.assertLess(near, 4, "%s: the window differs from the still by %.1f" % (label, near))
                self.assertGreater(flipped, 2 * near + 1, "%s: upside down (%.1f against %.1f)" % (label, flipped, near))
                process.send_signal(signal.SIGTERM)
                self.assertEqual(wait_exit(process, 5)[0], 0, label)
            finally:
                window.close()

    def test_the_given_window_may_go_at_any_moment_and_so_may_the_display(self):
        # Moments over start-up (a few hundred ms here) and the first frames; the window handed over as
        # --window-id and as XScreenSaver's variable in turn. Gone: quietly done, exit 0.
        for i in range(20):
            moment = i * 0.08
            window = SimpleWindow(self.display.name, 320, 240)
            try:
                if i % 2:
                    process = self.start("--root", env=dict(self.display.env, XSCREENSAVER_WINDOW=hex(window.id)))
                else:
                    process = self.start("--window-id", str(window.id))
                time.sleep(moment)
                window.destroy()
                code, seconds = wait_exit(process, 30)
                self.assertEqual(code, 0, "window destroyed after %.2f s: %s" % (moment, process.stderr.read()))
            finally:
                window.close()
        # A stop signal at any moment of start-up ends it as promptly as a running one.
        slowest = 0.0
        for i in range(6):
            process = self.start("--root")
            time.sleep(i * 0.06)
            process.send_signal(signal.SIGTERM)
            code, seconds = wait_exit(process, 10)
            # Before main has caught the signal, the system's default ends it.
            self.assertIn(code, (0, -signal.SIGTERM), "SIGTERM after %.2f s: %s" % (i * 0.06, process.stderr.read()))
            slowest = max(slowest, seconds)
        note("SIGTERM during start-up: ended within %.3f s" % slowest)
        self.assertLess(slowest, PROMPT)
        # The display itself goes: one line naming it, exit 1.
        process = self.start("--root")
        self.display.wait_for_picture(process)
        self.display.server.kill()
        self.display.server.wait()
        code, seconds = wait_exit(process, 30)
        said = process.stderr.read()
        self.assertEqual(code, 1, said)
        self.assertEqual(said.strip().splitlines(), ["orbitarium: lost the connection to the X display %s" % self.display.name])

    def test_events_wake_it_at_once_at_a_five_second_delay(self):
        process = self.start("--delay", "5000000")
        window = self.display.find_window(process)
        self.display.run("xdotool", "windowfocus", "--sync", window)
        # Each answer comes while the program waits out its 5 s after a frame it has just shown.
        start = time.monotonic()
        self.display.run("xdotool", "windowsize", window, "640", "480")
        while self.display.run("xprop", "-id", window, "_ORBITARIUM_DRAWN", check=False).stdout.split("=")[-1] \
                .replace(" ", "").split(",")[:2] != ["640", "480"]:
            self.assertLess(time.monotonic() - start, 10, "no frame at the new size")
            time.sleep(0.01)
        resized = time.monotonic() - start
        start = time.monotonic()
        self.display.run("xdotool", "key", "Escape")
        code = wait_exit(process, 10)[0]
        seconds = time.monotonic() - start
        self.assertEqual(code, 0, process.stderr.read())
        note("--delay 5000000: a resize shown in %.3f s, Escape ended it in %.3f s" % (resized, seconds))
        self.assertLess(resized, PROMPT)
        self.assertLess(seconds, PROMPT)

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
        result = self.display.run(PROGRAM, "--version", check=False)
        self.assertEqual((result.returncode, result.stdout.split()[0]), (0, "orbitarium"), result.stderr)
        # A display that cannot be opened is named, and a missing one said to be missing.
        for display, said in ((":9999", "orbitarium: cannot open the X display :9999"),
                              (None, "orbitarium: cannot open the X display: DISPLAY is not set")):
            env = dict(self.display.env)
            env.pop("DISPLAY")
            if display:
                env["DISPLAY"] = display
            result = subprocess.run([PROGRAM, "--geometry", "64x64"], env=env, stdout=subprocess.PIPE,
                                    stderr=subprocess.PIPE, text=True, timeout=30)
            self.assertEqual((result.returncode, result.stderr.strip()), (1, said))


if __name__ == "__main__":
    unittest.main()
