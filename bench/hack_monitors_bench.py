#!/usr/bin/env python3
"""The Linux program full screen on one monitor and on two (Xorg with the dummy driver: 1024 x 768 and
800 x 600 beside it, llvmpipe), drawing as fast as it can: frames per second, and what a shown pixel
costs on two monitors against one. The same server for both; the second output is switched off for the
one-monitor runs. Prints numbers; never passes or fails.

Usage: bench/hack_monitors_bench.py [BUILD_DIR] [SECONDS] [ROUNDS]   (BUILD_DIR defaults to
build/linux-release: cmake --preset linux-release && cmake --build build/linux-release --target
bench_hack_pacing_probe)
"""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "linux"))
from x11_harness import DeskDisplay  # noqa: E402

ONE = 1024 * 768
TWO = ONE + 800 * 600


def frames_per_second(display, probe, seconds, flags):
    result = subprocess.run([probe, str(seconds), "--fullscreen", "--delay", "0", "--seed", "1", *flags],
                            env=display.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                            timeout=seconds + 60)
    if result.returncode != 0:
        raise SystemExit("probe failed: " + result.stderr)
    return float(dict(line.split() for line in result.stdout.splitlines())["frames_per_second"])


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "linux-release")
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 2
    probe = os.path.join(build, "bench", "bench_hack_pacing_probe")
    display = DeskDisplay()
    try:
        print("%-24s %10s %10s %22s" % ("scene", "one fps", "two fps", "cost of a pixel 2 / 1"))
        for _ in range(rounds):
            for name, flags in (("the tour", []), ("standing (--manual)", ["--manual"])):
                two = frames_per_second(display, probe, seconds, flags)
                display.xorg.run("xrandr", "--output", "DUMMY1", "--off")
                one = frames_per_second(display, probe, seconds, flags)
                display.xorg.arrange()
                print("%-24s %10.1f %10.1f %22.2f" % (name, one, two, (ONE * one) / (TWO * two)))
    finally:
        display.close()


if __name__ == "__main__":
    main()
