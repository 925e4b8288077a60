#pragma once
// The Linux program's command line: XScreenSaver-style flags named after the saver's options, how the
// program shows its picture (a window of its own, full screen, a window it is given, or still files),
// and its frame pacing.
#include <cstdint>
#include <string>

#include "platform/platform.h"

enum class HackTarget {
    OwnWindow,   // a resizable window titled "Orbitarium"
    FullScreen,  // a full-screen window with the saver's exit rules
    Root,        // the root window, or the one named by XSCREENSAVER_WINDOW
    GivenWindow, // --window-id: a window made by someone else (a settings preview)
    Stills,      // --render: PNG files, no display
};

struct HackOptions {
    HackTarget target = HackTarget::OwnWindow;
    int32_t width = 1024;        // pixels, --geometry or --size
    int32_t height = 768;
    unsigned long windowId = 0;  // --window-id
    int32_t cameraSpeed = 4;     // 1..5
    int32_t planetSpeed = 3;     // 0..5
    int32_t stars = 2;           // thousands, 0..4
    bool manual = false;
    bool invertMouse = false;
    bool showMouse = false;
    bool seeded = false;
    int32_t seed = 0;            // 0..255: the core draws its sky and orbits from an 8-bit seed
    int32_t delayMicroseconds = 20000;  // between frames; 0 draws as fast as the machine can
    bool fps = false;
    // --render: files DIR/orbitarium-0001.png and on, frame i after startTick + i x every ticks.
    std::string renderDirectory;
    int32_t frames = 1;
    int32_t every = 1;
    int32_t startTick = 0;
    // --monitors: a desk for the stills, root-window pixels, the primary first. Each still is then the
    // desk's bounding box with every monitor's part of one view in its place.
    static constexpr uint32_t MAX_MONITORS = 16;
    MonitorArea monitors[MAX_MONITORS];
    uint32_t monitorCount = 0;
};

enum class ParseOutcome { Run, Help, Version, Error };

struct ParseResult {
    ParseOutcome outcome = ParseOutcome::Run;
    HackOptions options;
    std::string message;  // for Error: one line naming the flag and what it accepts
};

// Parses argv[1..argc-1]. `screensaverWindow` is the value of XSCREENSAVER_WINDOW (null when unset);
// it makes the target Root with that window unless a flag names another target.
ParseResult parseHackOptions(int argc, const char* const* argv, const char* screensaverWindow);

// The text --help prints.
const char* hackUsage();
