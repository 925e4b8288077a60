#pragma once
// Still pictures without a display: the autopilot's frames drawn offscreen (EGL on Mesa's
// surfaceless platform) and written as PNG files.
#include <string>

#include "hack/hack_options.h"

// The file of picture number `index` (counted from 1): DIR/orbitarium-0001.png and on.
std::string stillFileName(const std::string& directory, int index);

// Draws options.frames pictures of options.width x height: picture i (from 0) shows the scene after
// startTick + i x every update ticks, and goes to stillFileName(dir, i + 1). Progress goes to stderr:
// a bar on a terminal, otherwise a line every tenth. Returns the exit code: 0, or 1 after a message on
// stderr when there is no offscreen OpenGL or a file cannot be written.
int renderStills(const HackOptions& options);
