#!/usr/bin/env python3
"""Orbitarium.scr under Wine on a private Xvfb display (1024 x 768, llvmpipe): frames per second and the
time from process start to the first frame of the scene. Prints numbers; never passes or fails.

The frames are counted by the test 3dfxvgl.dll (tests/windows/fakes), which forwards every OpenGL call
to the system's opengl32.dll and writes its count of buffer swaps to swaps.txt beside itself. The saver
swaps once for the loading picture and then once per frame.

Usage: bench/wine_bench.py [BUILD_DIR] [SECONDS]   (BUILD_DIR defaults to build/win64)
"""
import os
import shutil
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
import harness  # noqa: E402


def swaps(folder):
    try:
        with open(os.path.join(folder, "swaps.txt")) as f:
            return int(f.read().strip() or 0)
    except (OSError, ValueError):
        return 0


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "win64"))
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20.0
    fakes = os.path.join(build, "tests", "windows", "fakes")
    prefix = os.path.join(build, "e2e-prefix")
    folder = tempfile.mkdtemp(prefix="orbitarium-bench-")
    try:
        shutil.copy(os.path.join(build, "Orbitarium.scr"), folder)
        for sub, name in (("glide2x", "glide2x.dll"), ("3dfxvgl", "3dfxvgl.dll")):
            shutil.copy(os.path.join(fakes, sub, name), folder)
        with harness.Session(os.path.join(folder, "Orbitarium.scr"), prefix) as session:
            session.reg_delete_key()
            session.reg_set("3dfx", 1)
            started = time.monotonic()
            session.launch("/s")
            while swaps(folder) < 2:
                if not session.running() or time.monotonic() - started > 120:
                    print("the saver did not draw")
                    return 1
                time.sleep(0.01)
            first_frame = time.monotonic() - started
            time.sleep(2)  # past the first frames
            count0, t0 = swaps(folder), time.monotonic()
            time.sleep(seconds)
            count1, t1 = swaps(folder), time.monotonic()
            window = session.wait_window("Orbitarium", timeout=10)
            session.key(window, "Escape")
            session.wait_exit(timeout=30)
            session.reg_delete_key()
        print("start to first scene frame: %.2f s (includes Wine's own process start)" % first_frame)
        print("frames per second: %.1f (%d frames in %.1f s)" % ((count1 - count0) / (t1 - t0), count1 - count0, t1 - t0))
        return 0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    raise SystemExit(main())
