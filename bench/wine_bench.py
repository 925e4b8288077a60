#!/usr/bin/env python3
"""Orbitarium.scr under Wine on a private Xvfb display (1024 x 768, llvmpipe): frames per second, the
time from process start to the first frame of the scene, and the CPU the saver uses with the display on
and while it rests with the display off. Prints numbers; never passes or fails.

The frames are counted by the test 3dfxvgl.dll (tests/windows/fakes), which forwards every OpenGL call
to the system's opengl32.dll and writes its count of buffer swaps to swaps.txt beside itself; it and the
Glide stand-in go where the saver looks for them, the prefix's system folder, for the run. The saver
swaps once for the loading picture and then once per frame.

Xvfb has no display power to turn off, so the display's sleep is the system's notice, sent to the saver
window by bench/win32/display_notice.exe as Windows sends it. CPU is the saver process's user and system
time (from /proc), and that of the prefix's Wine server, which carries the saver's window-system calls.

Usage: bench/wine_bench.py [BUILD_DIR] [SECONDS]   (BUILD_DIR defaults to build/win64)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
import harness  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User and system CPU of a process so far, in seconds; 0 once it is gone."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS
    except (OSError, IndexError, ValueError):
        return 0.0


def find_pid(matches):
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open("/proc/%s/cmdline" % entry, "rb") as f:
                    command = f.read().split(b"\0")
                with open("/proc/%s/environ" % entry, "rb") as f:
                    environment = f.read().split(b"\0")
            except OSError:
                continue
            if matches(command, environment):
                return int(entry)
    return None


def saver_pid(folder):
    """The saver's own process (Wine names it by its Windows path), not the host that started it."""
    path = ("Z:" + os.path.join(folder, "Orbitarium.scr").replace("/", "\\")).encode()
    return find_pid(lambda command, environment: command[0] == path)


def wineserver_pid(prefix):
    wanted = ("WINEPREFIX=" + prefix).encode()
    return find_pid(lambda command, environment: os.path.basename(command[0]).startswith(b"wineserver") and
                    wanted in environment)


class CpuWatch:
    """CPU seconds per second of wall time of the saver and the Wine server over a span."""

    def __init__(self, pids):
        self.pids = pids
        self.start = [cpu_seconds(pid) for pid in pids]
        self.t0 = time.monotonic()

    def rates(self):
        elapsed = time.monotonic() - self.t0
        return [(cpu_seconds(pid) - was) / elapsed for pid, was in zip(self.pids, self.start)]


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
    notice = os.path.join(build, "bench", "win32", "display_notice.exe")
    prefix = os.path.join(build, "e2e-prefix")
    folder = tempfile.mkdtemp(prefix="orbitarium-bench-")
    installed = []
    try:
        shutil.copy(os.path.join(build, "Orbitarium.scr"), folder)
        with harness.Session(os.path.join(folder, "Orbitarium.scr"), prefix,
                             host=os.path.join(build, "tests", "e2e", "scr_host.exe")) as session:
            system = session.system_folder()
            for sub, name in (("glide2x", "glide2x.dll"), ("3dfxvgl", "3dfxvgl.dll")):
                shutil.copy(os.path.join(fakes, sub, name), system)
            installed = [os.path.join(system, name) for name in ("glide2x.dll", "3dfxvgl.dll", "swaps.txt", "loads.txt")]
            session.reg_delete_key()
            session.reg_set("3dfx", 1)
            started = time.monotonic()
            session.launch("/s")
            while swaps(system) < 2:
                if not session.running() or time.monotonic() - started > 120:
                    print("the saver did not draw")
                    return 1
                time.sleep(0.01)
            first_frame = time.monotonic() - started
            time.sleep(2)  # past the first frames
            pids = [saver_pid(folder), wineserver_pid(prefix)]
            if None in pids:
                print("cannot find the saver's process or the Wine server: %s" % pids)
                return 1
            count0, t0 = swaps(system), time.monotonic()
            drawing = CpuWatch(pids)
            time.sleep(seconds)
            count1, t1 = swaps(system), time.monotonic()
            cpu_on = drawing.rates()

            def display(state):
                sent = subprocess.run([*harness.WINE, notice, str(state)], env=session.env(), timeout=120,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
                if sent != 0:
                    raise harness.HarnessError("display_notice %d failed with %d" % (state, sent))

            display(0)
            time.sleep(1)  # Wine's own start of the notice program settles
            count2 = swaps(system)
            resting = CpuWatch(pids)
            time.sleep(seconds)
            cpu_rest = resting.rates()
            count3 = swaps(system)
            display(1)
            time.sleep(2)
            count4 = swaps(system)
            window = session.wait_window("Orbitarium", timeout=10)
            session.key(window, "Escape")
            session.wait_exit(timeout=30)
            session.reg_delete_key()
        print("start to first scene frame: %.2f s (includes Wine's own process start)" % first_frame)
        print("frames per second: %.1f (%d frames in %.1f s)" % ((count1 - count0) / (t1 - t0), count1 - count0, t1 - t0))
        print("CPU, display on: saver %.3f s/s, Wine server %.3f s/s" % tuple(cpu_on))
        print("CPU, display off (resting): saver %.4f s/s (%.2f %% of a core), Wine server %.4f s/s; "
              "%d frames in %.0f s" % (cpu_rest[0], 100 * cpu_rest[0], cpu_rest[1], count3 - count2, seconds))
        print("frames in the 2 s after the display came back: %d" % (count4 - count3))
        return 0
    finally:
        for path in installed:
            try:
                os.remove(path)
            except FileNotFoundError:
                pass
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    raise SystemExit(main())
