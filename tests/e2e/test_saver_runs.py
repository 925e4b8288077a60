"""Orbitarium.scr /s as a user sees it: the solar system on screen, moving, and ending as a saver must."""
import math
import time
import unittest

import harness

WIDTH, HEIGHT = 1024, 768


def project(point, eye, target, up=(0.0, 1.0, 0.0)):
    """Screen pixel (x from the left, y from the top) of a scene point for the saver's camera."""
    def sub(a, b): return [a[i] - b[i] for i in range(3)]
    def dot(a, b): return sum(a[i] * b[i] for i in range(3))
    def cross(a, b): return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]
    def unit(a):
        length = math.sqrt(dot(a, a))
        return [c / length for c in a]
    f = unit(sub(target, eye))
    s = unit(cross(f, up))
    u = cross(s, f)
    d = sub(point, eye)
    depth = dot(f, d)
    half_width = 0.75 * WIDTH / HEIGHT
    x_ndc = dot(s, d) / depth / half_width
    y_ndc = dot(u, d) / depth / 0.75
    return int((x_ndc + 1) / 2 * WIDTH), int((1 - y_ndc) / 2 * HEIGHT)


INITIAL_EYE = (-224.792, 432.066, 949.615)
INITIAL_TARGET = (-224.635, 431.627, 948.73)


class SaverRuns(harness.SaverTestCase):
    def setUp(self):
        self.session = harness.Session(harness.SCR, harness.PREFIX, shots_dir=harness.SHOTS)
        self.session.start()
        self.session.reg_delete_key()

    def tearDown(self):
        self.session.close()

    def start_saver(self):
        started = time.monotonic()
        self.session.launch("/s")
        window = self.session.wait_window("Orbitarium", timeout=60)
        self.first_window_seconds = time.monotonic() - started
        return window

    def wait_for_scene(self):
        """Waits until the loading picture has given way to the scene (stars light up much of the sky)."""
        deadline = time.monotonic() + 90  # textures are built first: slow on a loaded machine
        while time.monotonic() < deadline:
            if self.session.grab().blobs(min_pixels=1, threshold=60).__len__() > 200:
                return
            time.sleep(0.25)
        self.fail("the scene never appeared")

    def end_with_escape(self, window):
        self.session.key(window, "Escape")
        self.assertExitCode(0, timeout=20)

    def test_initial_camera_shows_the_sun_and_planets_then_escape_ends_it(self):
        # Manual flight with no button held keeps the first frame's camera.
        self.session.reg_set("AutoPilot", 0)
        window = self.start_saver()
        self.wait_for_scene()
        shot = self.session.screenshot("initial-camera")
        image = harness.Image.read(shot)
        self.assertGreater(image.lit_fraction(), 0.01, "the frame is black")
        sx, sy = project((0.0, 0.0, 0.0), INITIAL_EYE, INITIAL_TARGET)
        r, g, b = image.at(sx, sy)
        self.assertGreater(r + g + b, 300, "no bright Sun at %d,%d" % (sx, sy))
        self.assertGreaterEqual(r, b)
        # The orbit angles come from the start-up tick count (256 layouts): in some, the planets near
        # the Sun on the screen join its glow in one lit region, so only one more region is certain.
        bodies = image.blobs(min_pixels=60)
        self.assertGreaterEqual(len(bodies), 2, "the Sun and at least one planet apart from it: %s" % bodies)
        self.end_with_escape(window)

    def test_tour_flies_and_flight_keys_and_clicks_do_not_end_it(self):
        window = self.start_saver()
        self.wait_for_scene()
        first = self.session.grab()
        time.sleep(2)
        second = self.session.grab()
        self.assertGreater(first.difference(second), 0.01, "the picture did not change in 2 s")
        self.session.screenshot("tour")
        for key in ["1", "5", "0", "t", "Up", "Down", "Left", "Right", "p", "p"]:
            self.session.key(window, key)
        self.session.click(1)
        self.session.click(3)
        self.session.wait_frames()  # every key and click handled
        self.assertTrue(self.session.running(), "a flight key or a click ended the saver")
        self.end_with_escape(window)

    def test_four_large_mouse_moves_end_it_with_the_autopilot_on(self):
        window = self.start_saver()
        self.wait_for_scene()
        self.session.focus(window)
        # Each move is handled before the next: the saver reads the cursor when it handles a move, so
        # two moves made before it handles the first count as one.
        positions = [(700, 384), (500, 384), (700, 384)]
        for x, y in positions:
            self.session.mouse_move(x, y)
            self.session.wait_frames()
        self.assertTrue(self.session.running(), "three large moves ended the saver")
        self.session.mouse_move(500, 384)
        self.assertExitCode(0, timeout=20)

    def test_stored_values_no_dialog_writes_still_run(self):
        self.session.reg_set("CameraSpeed", -7)
        self.session.reg_set("PlanetSpeed", 99)
        self.session.reg_set("NumStars", 1000000)
        window = self.start_saver()
        self.wait_for_scene()
        first = self.session.grab()
        time.sleep(1)
        self.assertGreater(first.difference(self.session.grab()), 0.01, "the tour does not fly")
        self.end_with_escape(window)

    def test_manual_flight_moves_forward_with_the_left_button(self):
        window = self.start_saver()
        self.wait_for_scene()
        self.session.key(window, "p", "9")  # manual flight at thrust 4
        self.session.mouse_move(WIDTH // 2, HEIGHT // 2)
        time.sleep(0.5)
        before = self.session.grab()
        self.session.button_down(1)
        time.sleep(1.5)
        self.session.button_up(1)
        after = self.session.grab()
        self.session.screenshot("manual-flight")
        self.assertGreater(before.difference(after), 0.01, "the view did not move")
        self.end_with_escape(window)


if __name__ == "__main__":
    unittest.main()
