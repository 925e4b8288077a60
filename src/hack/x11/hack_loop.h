#pragma once
// Running the saver on X11 until it ends: frames paced by the delay, ticks by the clock (one per
// 21 ms since the start, a stall of over a second not made up), and
// SIGTERM or SIGINT ending it at once with exit code 0. While nothing of the window shows (unmapped,
// or wholly covered) it draws nothing, runs no tick and sleeps until the X connection has news.
#include "hack/hack_options.h"

// Returns the program's exit code: 0 when it ended as asked, 1 when the display, the window or
// OpenGL could not be had. `framePresented`, when given, hears the monotonic time in microseconds
// of every frame shown (the pacing benchmark records the intervals with it).
int runOnX11(const HackOptions& options, void (*framePresented)(int64_t microseconds) = nullptr);
