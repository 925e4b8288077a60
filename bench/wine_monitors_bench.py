#!/usr/bin/env python3
"""Orbitarium.scr under Wine (llvmpipe) with one monitor and with two, the primary 1024 x 768 in both:
frames per second, and the cost of a pixel drawn. Prints numbers; never passes or fails.

Both runs use the private Xorg of the two-monitor tests (the dummy video driver): for two monitors the
second one, 800 x 600, stands to the right of the primary; for one it mirrors the primary's corner, so
that the saver draws the primary alone on the same X server. The buffer swaps are counted by Mesa itself:
GALLIUM_HUD=fps with GALLIUM_HUD_DUMP_DIR writes, for the saver's rendering context, the swaps per
second of every period to a file, and draws nothing with GALLIUM_HUD_VISIBLE=false. With two monitors
the one context swaps twice a frame, once in each window.

Usage: bench/wine_monitors_bench.py [BUILD_DIR] [SECONDS]   (BUILD_DIR defaults to build/win64)
"""
import os
import shutil
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
import harness  # noqa: E402
import two_monitors  # noqa: E402

PERIOD = 0.5  # seconds a HUD value covers


class MirroredSession(two_monitors.TwoMonitorSession):
    """The same X server with the second output showing the primary's top left corner: one monitor to
    the saver, which draws no view there."""

    def arrange_monitors(self):
        super().arrange_monitors()
        self._x("xrandr", "--output", "DUMMY1", "--mode", "800x600_60", "--same-as", "DUMMY0")


def swap_rate(session, seconds, dump):
    """Swaps per second of the saver's context over `seconds`, past its start-up."""
    os.makedirs(dump, exist_ok=True)
    session.reg_delete_key()
    session.launch("/s", extra_env={"GALLIUM_HUD": "fps", "GALLIUM_HUD_VISIBLE": "false",
                                    "GALLIUM_HUD_DUMP_DIR": dump, "GALLIUM_HUD_PERIOD": str(PERIOD)})
    window = session.wait_window("Orbitarium", timeout=60)
    time.sleep(5)  # the loading picture and the first frames
    skip = len(read_values(dump))
    time.sleep(seconds)
    values = read_values(dump)[skip:]
    session.key(window, "Escape")
    session.wait_exit(timeout=30)
    return sum(values) / len(values) if values else 0.0


def read_values(dump):
    try:
        with open(os.path.join(dump, "fps")) as f:
            return [float(line) for line in f if line.strip()]
    except (OSError, ValueError):
        return []


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "win64"))
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20.0
    scr = os.path.join(build, "Orbitarium.scr")
    prefix = os.path.join(build, "e2e-prefix")
    harness.HOST = os.path.join(build, "tests", "e2e", "scr_host.exe")  # the sessions start the saver through it
    work = tempfile.mkdtemp(prefix="orbitarium-monitors-bench-")
    try:
        primary = 1024 * 768
        with MirroredSession(scr, prefix) as session:
            one = swap_rate(session, seconds, os.path.join(work, "one"))
        second = two_monitors.TwoMonitorSession.SECOND
        with two_monitors.TwoMonitorSession(scr, prefix) as session:
            two = swap_rate(session, seconds, os.path.join(work, "two")) / 2  # two swaps a frame
        pixels_two = primary + (second[2] - second[0]) * (second[3] - second[1])
        print("one monitor (1024 x 768): %.1f frames per second, %.1f Mpixel/s" % (one, one * primary / 1e6))
        print("two monitors (1024 x 768 + 800 x 600): %.1f frames per second, %.1f Mpixel/s"
              % (two, two * pixels_two / 1e6))
        if one and two:
            print("cost of a pixel with two monitors against one: %.2f" % ((one * primary) / (two * pixels_two)))
        return 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    raise SystemExit(main())
