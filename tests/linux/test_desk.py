"""A desk of two monitors (Xorg with the dummy driver: 1024x768 at the origin, the primary, and 800x600
to its right): full screen covers both with one view, and under the real XScreenSaver daemon its two
copies, one on each monitor, draw the two parts of one view at the same moment. The oracle is the
still of the same desk (--render --monitors).
"""
import os
import shutil
import signal
import sys
import tempfile
import time
import unittest

import test_xscreensaver as daemon
from x11_harness import DeskDisplay, best_ticks, differing_pixels, wait_exit

SKIPPED = 77
DESK = "1024x768+0+0,800x600+1024+0"
PRIMARY, SECOND = (0, 0, 1024, 768), (1024, 0, 1824, 600)
# Columns beside the seam left out of the comparison: a star on the seam is cut differently by the
# two windows' margins, and a copy may be a frame behind the other.
SEAM = 6
PRIMARY_OFF_SEAM = (0, 0, 1024 - SEAM, 768)
SECOND_OFF_SEAM = (1024 + SEAM, 0, 1824, 600)
# The planets stand still and so does the camera: only the bodies' spin and the Sun's glow change.
STILL_SCENE = ["--manual", "--planet-speed", "0"]
TICK = 0.021


def note(text):
    print(text, file=sys.stderr)


class FullScreenTest(unittest.TestCase):
    def setUp(self):
        self.display = DeskDisplay()
        self.folder = tempfile.mkdtemp(prefix="orbitarium-desk-")
        self.process = None

    def tearDown(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.display.close()
        shutil.rmtree(self.folder, ignore_errors=True)

    def test_full_screen_covers_both_monitors_with_one_view(self):
        started = time.monotonic()
        self.process = self.display.start("--fullscreen", "--seed", "7", *STILL_SCENE)
        deadline = time.monotonic() + 30
        while not both_monitors_drawn(self.display):
            self.assertLess(time.monotonic(), deadline,
                            "the desk was never drawn: " + self.display.describe(self.process))
            time.sleep(0.2)
        # A window of ours on each monitor, exactly over it.
        tree = self.display.run("xwininfo", "-root", "-tree").stdout
        self.assertIn("1024x768+0+0", tree)
        self.assertIn("800x600+1024+0", tree)
        shot = os.path.join(self.folder, "root.png")
        self.display.save_picture(shot, keep_as="desk-fullscreen.png")
        shown = time.monotonic()
        # Its ticks are those since its clock started: somewhere between none and the time since the start.
        most = int((shown - started) / TICK) + 2
        coarse = best_ticks(shot, [PRIMARY_OFF_SEAM], ["--monitors", DESK, "--seed", "7", *STILL_SCENE], 0,
                            most // 8 + 1, os.path.join(self.folder, "coarse"), every=8)
        near = max(0, coarse[0][0] - 8)
        found = best_ticks(shot, [PRIMARY_OFF_SEAM, SECOND_OFF_SEAM],
                           ["--monitors", DESK, "--seed", "7", *STILL_SCENE], near, 17,
                           os.path.join(self.folder, "fine"))
        note("full screen: tick %d, %d pixels differ on the primary, tick %d and %d on the second" % (
            found[0][0], found[0][1], found[1][0], found[1][1]))
        still = os.path.join(self.folder, "fine", "orbitarium-%04d.png" % (found[0][0] - near + 1))
        seam = differing_pixels(shot, still, (1024 - SEAM, 0, 1024 + SEAM, 600))
        note("full screen: %d of the %d pixels beside the seam differ" % (seam, 2 * SEAM * 600))
        self.assertLess(found[0][1], 1018 * 768 // 200, "the primary differs from the desk's still")
        self.assertLess(found[1][1], 794 * 600 // 200, "the second monitor differs from the desk's still")

    def test_large_moves_over_the_second_monitor_end_it_on_the_autopilot(self):
        # The pointer travelling over the second monitor counts as over the saver, as on one monitor,
        # measured on the desk: small steps across the seam are small, though they pass from one
        # window to another 1024 pixels to the left of it.
        self.process = self.display.start("--fullscreen")
        self.display.find_window(self.process)
        time.sleep(0.5)
        for x in (1020, 1030, 1020, 1030, 1020, 1030):
            self.display.run("xdotool", "mousemove", str(x), "300")
            time.sleep(0.1)
        time.sleep(0.5)
        self.assertIsNone(self.process.poll(), "small steps across the seam ended it")
        for x in (1100, 1700, 1100, 1700, 1100):
            self.display.run("xdotool", "mousemove", str(x), "300")
            time.sleep(0.1)
        code, _ = wait_exit(self.process, 10)
        self.assertEqual(code, 0, "large moves over the second monitor did not end it: " + self.display.describe(
            self.process))


@unittest.skipUnless(shutil.which("xscreensaver") and (os.geteuid() != 0 or shutil.which("runuser")),
                     "XScreenSaver is not installed (or no runuser to run it as another user)")
class DaemonDeskTest(daemon.DaemonCase):
    DISPLAY = DeskDisplay

    def setUp(self):
        super().setUp()
        self.folder = tempfile.mkdtemp(prefix="orbitarium-desk-")

    def tearDown(self):
        super().tearDown()
        shutil.rmtree(self.folder, ignore_errors=True)

    def blank_and_wait_for_both_copies(self):
        """Blanks; returns the time of blanking the daemon published and the two copies' process ids."""
        self.assertEqual(self.command("-activate").returncode, 0)
        self.wait_for(lambda: len(daemon.hack_processes(self.user, self.display.name)) == 2, 30,
                      "the daemon did not start a copy on each monitor")
        status = self.display.run("xprop", "-root", "_SCREENSAVER_STATUS").stdout
        blanked = int(status.split("=", 1)[1].split(",")[1])
        self.wait_for(lambda: both_monitors_drawn(self.display), 30, "the copies did not draw on both monitors")
        return blanked, daemon.hack_processes(self.user, self.display.name)

    def copies_ticks(self, shot, blanked, shot_time, arguments):
        """The tick each monitor's part of the screenshot shows, and the pixels differing there."""
        due = int((shot_time - blanked) / TICK)
        return best_ticks(shot, [PRIMARY_OFF_SEAM, SECOND_OFF_SEAM], ["--monitors", DESK, *arguments],
                          max(0, due - 40), 48, os.path.join(self.folder, "ticks-%d" % due))

    def test_the_copies_draw_one_view_of_one_sky(self):
        self.start_daemon("--root --delay 40000 " + " ".join(STILL_SCENE))
        blanked, _ = self.blank_and_wait_for_both_copies()
        shot = os.path.join(self.folder, "root.png")
        taken = time.time()
        self.display.save_picture(shot, keep_as="desk-xscreensaver.png")
        # The sky and orbits of the seed the time of blanking gives.
        found = self.copies_ticks(shot, blanked, taken, ["--seed", str(blanked % 256), *STILL_SCENE])
        note("under the daemon: the primary shows tick %d (%d pixels differ), the second tick %d (%d)" % (
            found[0][0], found[0][1], found[1][0], found[1][1]))
        self.assertLess(found[0][1], 1018 * 768 // 200, "the primary's copy differs from the desk's still")
        self.assertLess(found[1][1], 794 * 600 // 200, "the second copy differs from the desk's still")

    def test_a_copy_stopped_for_five_seconds_rejoins_the_other(self):
        self.start_daemon("--root --delay 40000")
        blanked, copies = self.blank_and_wait_for_both_copies()
        os.kill(copies[0], signal.SIGSTOP)
        time.sleep(5)
        os.kill(copies[0], signal.SIGCONT)
        time.sleep(0.5)
        shot = os.path.join(self.folder, "root.png")
        taken = time.time()
        self.display.save_picture(shot, keep_as="desk-rejoined.png")
        found = self.copies_ticks(shot, blanked, taken, ["--seed", str(blanked % 256)])
        note("a copy stopped for 5 s: the primary shows tick %d (%d pixels differ), the second tick %d (%d)" % (
            found[0][0], found[0][1], found[1][0], found[1][1]))
        self.assertLess(found[0][1], 1018 * 768 // 100, "the primary's copy shows no moment near the due one")
        self.assertLess(found[1][1], 794 * 600 // 100, "the second copy shows no moment near the due one")
        self.assertLessEqual(abs(found[0][0] - found[1][0]), 4, "the copies show different moments")


def both_monitors_drawn(display):
    """True once no pixel of either monitor shows the red root and neither is all black."""
    image = display.capture()

    def sampled(box):
        left, top, right, bottom = box
        return [(x, y) for y in range(top, bottom, 8) for x in range(left + 3, right, 8)]
    for box in (PRIMARY, SECOND):
        points = sampled(box)
        if any(image.rgb[3 * (y * image.width + x)] > 200 and image.brightness(x, y) < 300 for x, y in points):
            return False
        if sum(image.brightness(x, y) for x, y in points) == 0:
            return False
    return True


if __name__ == "__main__":
    if not shutil.which("Xorg"):
        print("skipped: Xorg is missing")
        sys.exit(SKIPPED)
    unittest.main()
