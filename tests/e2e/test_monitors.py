"""Orbitarium.scr on two monitors (a real X server with two outputs): the second monitor shows the space
beyond the primary's edge for the whole run, input over it counts like input over the saver, and nothing
is left behind."""
import time
import unittest

import harness
import two_monitors

RED = two_monitors.TwoMonitorSession.ROOT_COLOUR


def count(image, colour, box):
    """Pixels of exactly this colour inside box (left, top, right, bottom)."""
    left, top, right, bottom = box
    wanted = bytes(colour)
    found = 0
    for y in range(top, bottom):
        row = image.rgb[3 * (y * image.width + left):3 * (y * image.width + right)]
        found += sum(1 for i in range(0, len(row), 3) if row[i:i + 3] == wanted)
    return found


def crop(image, box):
    left, top, right, bottom = box
    rows = [image.rgb[3 * (y * image.width + left):3 * (y * image.width + right)] for y in range(top, bottom)]
    return harness.Image(right - left, bottom - top, b"".join(rows))


def area(box):
    return (box[2] - box[0]) * (box[3] - box[1])


class TwoMonitors(harness.SaverTestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = two_monitors.TwoMonitorSession(harness.SCR, harness.PREFIX, shots_dir=harness.SHOTS)
        cls.session.start()

    @classmethod
    def tearDownClass(cls):
        cls.session.close()

    def setUp(self):
        self.session.reg_delete_key()
        self.assertEqual(self.session.monitors(), [two_monitors.TwoMonitorSession.PRIMARY,
                                                   two_monitors.TwoMonitorSession.SECOND])

    def tearDown(self):
        self.end_saver_left_running()
        self.session.reg_delete_key()
        # A saver that had to be killed leaves its display mode behind.
        if self.session.monitors() != [two_monitors.TwoMonitorSession.PRIMARY, two_monitors.TwoMonitorSession.SECOND]:
            self.session.arrange_monitors()

    def start_saver(self, pointer=(1400, 300)):
        # The cursor anchor is where the pointer is when the saver window appears.
        self.session.mouse_move(*pointer)
        self.session.launch("/s")
        window = self.session.wait_window("Orbitarium", timeout=60)
        self.wait_for_scene()
        return window

    def wait_for_scene(self):
        """Until the loading picture has given way to the stars (the exit rules act from then on)."""
        deadline = time.monotonic() + 40
        while time.monotonic() < deadline:
            shot = crop(self.session.grab(), (0, 0, 800, 600))  # within the primary in every test
            if len(shot.blobs(min_pixels=1, threshold=60)) > 100:
                time.sleep(0.5)
                return
            time.sleep(0.25)
        self.fail("the scene never appeared")

    def assert_sky(self, shot, primary, second):
        """Both monitors hidden, and the second showing its own part of the sky: stars, not a copy of
        the primary."""
        self.assertEqual(count(shot, RED, primary), 0, "the desktop shows on the primary")
        self.assertEqual(count(shot, RED, second), 0, "the desktop shows on the second monitor")
        beyond = crop(shot, second)
        self.assertGreater(len(beyond.blobs(min_pixels=1, threshold=60)), 5, "no stars on the second monitor")
        same_size = crop(shot, (primary[0], primary[1], primary[0] + beyond.width, primary[1] + beyond.height))
        self.assertGreater(beyond.difference(same_size), 0.01, "the second monitor copies the primary")
        return beyond

    def assert_nothing_left(self):
        self.assertEqual(self.session.window_boxes(), [])
        shot = self.session.grab()
        self.assertEqual((shot.width, shot.height), self.session.size)
        for monitor in (two_monitors.TwoMonitorSession.PRIMARY, two_monitors.TwoMonitorSession.SECOND):
            self.assertEqual(count(shot, RED, monitor), area(monitor), "a window is left on %s" % (monitor,))

    def end_with_escape(self, window):
        self.session.key(window, "Escape")
        self.assertExitCode(0, timeout=30)

    def test_both_monitors_show_the_sky_for_the_whole_run_and_a_key_over_the_second_ends_it(self):
        self.start_saver()
        seen = []
        for moment in range(3):
            shot = self.session.grab()
            seen.append(self.assert_sky(shot, two_monitors.TwoMonitorSession.PRIMARY,
                                        two_monitors.TwoMonitorSession.SECOND))
            if moment == 0 and self.session.shots_dir:
                self.session.screenshot("two-monitors")
            time.sleep(1)
        self.assertGreater(seen[0].difference(seen[2]), 0.001, "the tour stands still on the second monitor")
        # The keyboard given to the window under the pointer, as a focus-follows-mouse desktop does.
        cover = self.window_at(1400, 300)
        self.session.key(cover, "Escape")
        self.assertExitCode(0, timeout=30)
        self.assert_nothing_left()
        if self.session.shots_dir:
            self.session.screenshot("two-monitors-after")

    def window_at(self, x, y):
        """The saver's visible window over the point (x, y), other than the one at the origin."""
        for window, (left, top, right, bottom) in self.session.window_boxes():
            if left <= x < right and top <= y < bottom and (left, top) != (0, 0):
                return window
        self.fail("no window of the saver's at %d,%d" % (x, y))

    def test_clicks_over_the_second_monitor_do_not_end_it_four_large_moves_there_do(self):
        window = self.start_saver(pointer=(1200, 300))
        self.session.focus(window)
        self.session.click(1)
        self.session.click(3)
        time.sleep(1)
        self.assertTrue(self.session.running(), "a click on the second monitor ended the saver")
        for x in (1400, 1600, 1400):
            self.session.mouse_move(x, 300)
            time.sleep(0.3)
        self.assertTrue(self.session.running(), "three large moves ended the saver")
        self.session.mouse_move(1200, 300)
        self.assertExitCode(0, timeout=30)
        self.assert_nothing_left()

    def test_in_manual_flight_no_mouse_travel_over_the_second_monitor_ends_it(self):
        self.session.reg_set("AutoPilot", 0)
        window = self.start_saver(pointer=(1200, 300))
        self.session.focus(window)
        for move in range(8):
            self.session.mouse_move(1200 + 400 * (move % 2), 100 + 50 * move)
            time.sleep(0.25)
        time.sleep(1)
        self.assertTrue(self.session.running(), "mouse travel ended manual flight")
        self.end_with_escape(window)
        self.assert_nothing_left()

    def test_a_smaller_mode_on_the_primary_moves_the_second_monitor_and_its_cover_goes_along(self):
        self.session.reg_set("ScrWidth", 800)
        self.session.reg_set("ScrHeight", 600)
        window = self.start_saver(pointer=(400, 300))
        moved = (800, 0, 1600, 600)
        self.assertEqual(self.session.monitors(), [(0, 0, 800, 600), moved])
        shot = self.session.grab()
        self.assert_sky(shot, (0, 0, 800, 600), moved)
        if self.session.shots_dir:
            self.session.screenshot("two-monitors-800x600")
        self.end_with_escape(window)
        self.assertEqual(self.session.monitors(), [two_monitors.TwoMonitorSession.PRIMARY,
                                                   two_monitors.TwoMonitorSession.SECOND])
        self.assert_nothing_left()

    def test_a_stored_mode_the_display_does_not_list_runs_in_its_own_mode_with_its_cover(self):
        # 1234 x 777 is no mode of this display (stored for another monitor, say): no box, no switch;
        # the saver runs on the primary in its own mode and covers the second monitor as always.
        self.session.reg_set("ScrWidth", 1234)
        self.session.reg_set("ScrHeight", 777)
        window = self.start_saver(pointer=(512, 384))
        primary, second = two_monitors.TwoMonitorSession.PRIMARY, two_monitors.TwoMonitorSession.SECOND
        self.assertEqual(self.session.monitors(), [primary, second])
        self.assertEqual(self.session.windows_titled("Error"), [])
        self.assert_sky(self.session.grab(), primary, second)
        self.end_with_escape(window)
        self.assert_nothing_left()

if __name__ == "__main__":
    unittest.main()
