#pragma once
// The screen-saver command line: "/s", "/c[:n]", "/a[:n]", "/p n", "/l n", with "-" or "/" optional.
#include <cstdint>

#include "saver/saver_mode.h"

struct CommandLine {
    SaverMode mode = SaverMode::None;
    // The parent window handle as a number; 0 means none.
    intptr_t parentWindow = 0;
    // "/c" with nothing after it: the parent is whatever window is in the foreground.
    bool parentIsForeground = false;
};

// Parses the whole command line, program name first. Never reads past the terminating zero.
CommandLine parseCommandLine(const char* text);

// Reads a signed decimal number the way the parent window handle is given: leading white space, an
// optional sign, digits up to the first non-digit, 0 when there are none. Saturates at the range of a
// pointer-sized integer instead of overflowing.
intptr_t parseWindowNumber(const char* text);
