#pragma once
// Switching the display to the saver's full-screen mode, through the platform's mode calls.
#include <cstdint>

// Tries, in order: every listed mode with exactly this depth, size and refresh rate; the first such
// mode that failed (or mode 0) asked for depth and size only; the depth alone and then the size. Shows
// the failure message the system's answer calls for. Returns true when the display is in the mode;
// on false the display is back in its stored mode, or was never changed.
bool switchDisplayMode(int32_t width, int32_t height, int32_t colorBits, int32_t hertz);

// True when the display lists a mode of this size and colour depth, at any refresh rate. A stored mode
// it does not list (another monitor, a laptop off its dock, a changed resolution) is no mode to switch to.
bool displayListsMode(int32_t width, int32_t height, int32_t colorBits);
