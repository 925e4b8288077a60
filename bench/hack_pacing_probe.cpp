// The Linux program's own run loop for a fixed time, in a window of its own on the X display in
// DISPLAY: the CPU time it used per second of running and the intervals between the frames it
// showed. Prints numbers; never passes or fails. bench/hack_pacing_bench.py runs it on Xvfb.
//
// Usage: bench_hack_pacing_probe SECONDS [program flags...]
#include <signal.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "hack/hack_options.h"
#include "hack/x11/hack_loop.h"
#include "scene/scene.h"

namespace {

std::vector<int64_t> presented;
std::vector<double> ticksAtFrame;

// Every tick turns the bodies half a degree: their turn, counted across its wraps at 360 (fewer than
// 720 ticks pass between two frames), counts the ticks run, on the tour or standing still.
double lastSpin = 0.0, turns = 0.0;

double ticksRun() {
    if (scene.spinAngle < lastSpin) turns += 360.0;
    lastSpin = scene.spinAngle;
    return (turns + scene.spinAngle) / 0.5;
}

void record(int64_t microseconds) {
    presented.push_back(microseconds);
    ticksAtFrame.push_back(ticksRun());
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const size_t at = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SECONDS [program flags...]\n", argv[0]);
        return 2;
    }
    const double seconds = std::atof(argv[1]);
    std::vector<const char*> flags = {argv[0]};
    for (int i = 2; i < argc; ++i) flags.push_back(argv[i]);
    const ParseResult parsed = parseHackOptions(static_cast<int>(flags.size()), flags.data(), nullptr);
    if (parsed.outcome != ParseOutcome::Run) {
        std::fprintf(stderr, "%s\n", parsed.message.c_str());
        return 2;
    }
    presented.reserve(100000);
    ticksAtFrame.reserve(100000);
    // The program ends on SIGTERM, as XScreenSaver ends it.
    std::thread stopper([seconds] {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        kill(getpid(), SIGTERM);
    });
    const double cpuBefore = cpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    const int code = runOnX11(parsed.options, record);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const double cpu = cpuSeconds() - cpuBefore;
    stopper.join();
    if (code != 0 || presented.size() < 3) return 1;

    // The first frames follow the scene's set-up; the intervals are taken after the first second.
    std::vector<double> intervals;
    for (size_t i = 1; i < presented.size(); ++i)
        if (presented[i - 1] - presented.front() >= 1000000)
            intervals.push_back(static_cast<double>(presented[i] - presented[i - 1]) / 1000.0);
    if (intervals.empty()) return 1;
    double mean = 0.0;
    for (double v : intervals) mean += v;
    mean /= static_cast<double>(intervals.size());
    double variance = 0.0;
    for (double v : intervals) variance += (v - mean) * (v - mean);
    const double deviation = std::sqrt(variance / static_cast<double>(intervals.size()));
    std::printf("cpu_per_second %.4f\nwall_seconds %.3f\nframes %zu\nframes_per_second %.2f\n", cpu / wall, wall,
                presented.size(), 1000.0 / mean);
    // The ticks run against the time each frame was shown, after the first second (the first frames
    // take longer: textures go to the driver): the least-squares rate, times ten seconds, against the
    // 476.2 ticks due in ten seconds by the clock (one per 21 ms). Each frame is shown a drawing time
    // after its ticks were taken: that time must not drift (a standing camera, --manual) for the fit
    // to see the clock's rate alone.
    double n = 0, sumT = 0, sumK = 0, sumTT = 0, sumTK = 0;
    for (size_t i = 0; i < presented.size(); ++i) {
        if (presented[i] - presented.front() < 1000000) continue;
        const double t = static_cast<double>(presented[i] - presented.front()) / 1e6, k = ticksAtFrame[i];
        n += 1;
        sumT += t;
        sumK += k;
        sumTT += t * t;
        sumTK += t * k;
    }
    const double rate = (n * sumTK - sumT * sumK) / (n * sumTT - sumT * sumT);
    std::printf("ticks_per_second %.3f\nticks_in_10_seconds %.1f\nticks_due_in_10_seconds %.1f\n", rate, rate * 10.0,
                10.0 / 0.021);
    std::printf("interval_ms_mean %.3f\ninterval_ms_stddev %.3f\ninterval_ms_p5 %.3f\ninterval_ms_median %.3f\n"
                "interval_ms_p95 %.3f\ninterval_ms_max %.3f\n",
                mean, deviation, percentile(intervals, 0.05), percentile(intervals, 0.5), percentile(intervals, 0.95),
                *std::max_element(intervals.begin(), intervals.end()));
    return 0;
}
