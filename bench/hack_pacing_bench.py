#!/usr/bin/env python3
"""The Linux program on a private Xvfb display (1024 x 768, llvmpipe): CPU time per second of running at
the default delay (20000 us) against --delay 0, in one run, and the spread of the frame intervals at the
default delay; a longer delay (50000 us) beside them shows what pacing saves when the machine keeps up
with it. Prints numbers; never passes or fails.

Usage: bench/hack_pacing_bench.py [BUILD_DIR] [SECONDS]   (BUILD_DIR defaults to build/linux-release,
a Release build without sanitizers: cmake --preset linux-release && cmake --build build/linux-release
--target bench_hack_pacing_probe)
"""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "linux"))
from x11_harness import Display  # noqa: E402


def cpu_ticks(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime, in clock ticks


def measure(display, probe, seconds, flags, geometry="1024x768"):
    server_before = cpu_ticks(display.server.pid)
    result = subprocess.run([probe, str(seconds), "--geometry", geometry, "--seed", "1", *flags], env=display.env,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, timeout=seconds + 60)
    if result.returncode != 0:
        raise SystemExit("probe failed: " + result.stderr)
    figures = dict(line.split() for line in result.stdout.splitlines())
    server = (cpu_ticks(display.server.pid) - server_before) / os.sysconf("SC_CLK_TCK")
    figures["xvfb_cpu_per_second"] = "%.4f" % (server / float(figures["wall_seconds"]))
    return figures


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "linux-release")
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    probe = os.path.join(build, "bench", "bench_hack_pacing_probe")
    with open("/proc/loadavg") as loadavg:
        load = loadavg.read().split()[0]
    display = Display()
    try:
        paced = measure(display, probe, seconds, [])
        flat_out = measure(display, probe, seconds, ["--delay", "0"])
        slow = measure(display, probe, seconds, ["--delay", "50000"])
    finally:
        display.close()
    print("load average before the runs: %s" % load)
    print("%-24s %14s %14s %14s" % ("figure", "--delay 20000", "--delay 0", "--delay 50000"))
    for key in ("cpu_per_second", "xvfb_cpu_per_second", "frames_per_second", "ticks_per_second", "interval_ms_mean",
                "interval_ms_stddev", "interval_ms_p5", "interval_ms_median", "interval_ms_p95", "interval_ms_max"):
        print("%-24s %14s %14s %14s" % (key, paced[key], flat_out[key], slow[key]))
    ratio = float(flat_out["cpu_per_second"]) / max(float(paced["cpu_per_second"]), 1e-9)
    print("cpu ratio (--delay 0 / default): %.2f" % ratio)

    # Motion by the clock: the ticks run while frames were shown, the smallest window and a 4K one,
    # the camera standing so that every frame takes as long to draw.
    print("%-10s %8s %14s %14s" % ("size", "fps", "ticks in 10 s", "due in 10 s"))
    for size in ("320x240", "3840x2160"):
        display = Display(size=size + "x24")
        try:
            shown = measure(display, probe, seconds, ["--manual"], geometry=size)
        finally:
            display.close()
        print("%-10s %8s %14s %14s" % (size, shown["frames_per_second"], shown["ticks_in_10_seconds"],
                                       shown["ticks_due_in_10_seconds"]))


if __name__ == "__main__":
    main()
