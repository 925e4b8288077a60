#include "hack/hack_options.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char USAGE[] =
    "usage: orbitarium [options]\n"
    "  --geometry WxH         size of the program's own window (default 1024x768)\n"
    "  --fullscreen           full screen over every monitor; ends on any key or mouse travel\n"
    "  --root                 draw into the root window (or XSCREENSAVER_WINDOW), take no input\n"
    "  --window-id ID         draw into the window ID (decimal or 0x hexadecimal), take no input\n"
    "  --camera-speed 1..5    speed of the camera on its tour (default 4)\n"
    "  --planet-speed 0..5    speed of the orbits and spins (default 3)\n"
    "  --stars 0..4           thousands of stars (default 2)\n"
    "  --manual               start in manual flight (autopilot off)\n"
    "  --invert-mouse         vertical steering upside down\n"
    "  --show-mouse           keep the pointer visible\n"
    "  --seed 0..255          the sky and orbit layout (default: from the clock)\n"
    "  --delay MICROSECONDS   pause between frames, 0..10000000 (default 20000; 0: as fast as possible)\n"
    "  --fps                  show frames per second and triangles drawn\n"
    "  --render DIR           write still pictures DIR/orbitarium-0001.png ... without a display\n"
    "  --size WxH             size of the stills, 16x16..8192x8192 (default 1024x768)\n"
    "  --frames N             number of stills, 1..100000 (default 1)\n"
    "  --every K              ticks of 21 ms between stills, 1..100000 (default 1)\n"
    "  --start-tick T         ticks before the first still or frame, 0..10000000 (default 0)\n"
    "  --monitors WxH+X+Y,... stills of a desk: every monitor's part of one view, the first the primary\n"
    "  --version              print the program's version\n"
    "  --help                 print this text\n";

// Strict decimal: the whole text is digits (an optional leading '-'), within [low, high].
bool readInteger(const char* text, int64_t low, int64_t high, int64_t* value) {
    if (!text || !*text) return false;
    const char* p = text;
    const bool negative = *p == '-';
    if (negative) ++p;
    if (!*p) return false;
    int64_t result = 0;
    for (; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        // Stop before the value can overflow: anything past `high` is refused anyway.
        if (result > (high + 1) / 10 + 1) return false;
        result = result * 10 + (*p - '0');
    }
    if (negative) result = -result;
    if (result < low || result > high) return false;
    *value = result;
    return true;
}

// A window id as X prints them: decimal, or hexadecimal after "0x"; never 0.
bool readWindowId(const char* text, unsigned long* id) {
    if (!text || !*text || *text == '-' || *text == '+' || *text == ' ') return false;
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex && !text[2]) return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0' || value == 0 || value > 0xFFFFFFFFull) return false;
    *id = static_cast<unsigned long>(value);
    return true;
}

// "WxH" with both sides in [low, high].
bool readSize(const char* text, int32_t low, int32_t high, int32_t* width, int32_t* height) {
    if (!text) return false;
    const char* cross = std::strchr(text, 'x');
    if (!cross) return false;
    const std::string w(text, cross);
    int64_t a = 0, b = 0;
    if (!readInteger(w.c_str(), low, high, &a) || !readInteger(cross + 1, low, high, &b)) return false;
    *width = static_cast<int32_t>(a);
    *height = static_cast<int32_t>(b);
    return true;
}

// An offset of X geometry, "+N" or "-N" (or "+-N"), within [-high, high]; moves `text` past it.
bool readOffset(const char*& text, int64_t high, int32_t* value) {
    if (*text != '+' && *text != '-') return false;
    const bool negative = *text++ == '-';
    const char* end = text;
    if (*end == '-' && !negative) ++end;
    while (*end >= '0' && *end <= '9') ++end;
    const std::string digits(text, end);
    int64_t n = 0;
    if (!readInteger(digits.c_str(), -high, high, &n)) return false;
    *value = static_cast<int32_t>(negative ? -n : n);
    text = end;
    return true;
}

// "WxH+X+Y[,WxH+X+Y...]": sizes 16..8192, offsets -16384..16384, a bounding box of at most
// 16384 pixels a side.
bool readMonitors(const char* text, HackOptions& o) {
    if (!text || !*text) return false;
    o.monitorCount = 0;
    for (const char* p = text;;) {
        const char* end = std::strchr(p, ',');
        const std::string one = end ? std::string(p, end) : std::string(p);
        const size_t offsets = one.find_first_of("+-");
        if (offsets == std::string::npos || o.monitorCount == HackOptions::MAX_MONITORS) return false;
        int32_t width = 0, height = 0, x = 0, y = 0;
        const std::string size = one.substr(0, offsets);
        const char* at = one.c_str() + offsets;
        if (!readSize(size.c_str(), 16, 8192, &width, &height) || !readOffset(at, 16384, &x) ||
            !readOffset(at, 16384, &y) || *at)
            return false;
        const bool primary = o.monitorCount == 0;
        o.monitors[o.monitorCount] = MonitorArea{x, y, x + width, y + height, primary};
        ++o.monitorCount;
        if (!end) break;
        p = end + 1;
    }
    int32_t left = o.monitors[0].left, top = o.monitors[0].top, right = o.monitors[0].right,
            bottom = o.monitors[0].bottom;
    for (uint32_t i = 1; i < o.monitorCount; ++i) {
        left = std::min(left, o.monitors[i].left);
        top = std::min(top, o.monitors[i].top);
        right = std::max(right, o.monitors[i].right);
        bottom = std::max(bottom, o.monitors[i].bottom);
    }
    return right - left <= 16384 && bottom - top <= 16384;
}

// The flags that take a whole number, and what each accepts.
struct WholeNumberFlag {
    const char* name;
    int64_t low, high;
    const char* accepted;
    int32_t HackOptions::*field;
    bool HackOptions::*marks;  // set as well, when not null
};
const WholeNumberFlag WHOLE_NUMBER_FLAGS[] = {
    {"--camera-speed", 1, 5, "a whole number 1..5", &HackOptions::cameraSpeed, nullptr},
    {"--planet-speed", 0, 5, "a whole number 0..5", &HackOptions::planetSpeed, nullptr},
    {"--stars", 0, 4, "a whole number 0..4 (thousands)", &HackOptions::stars, nullptr},
    {"--seed", 0, 255, "a whole number 0..255", &HackOptions::seed, &HackOptions::seeded},
    {"--delay", 0, 10000000, "microseconds 0..10000000", &HackOptions::delayMicroseconds, nullptr},
    {"--frames", 1, 100000, "a whole number 1..100000", &HackOptions::frames, nullptr},
    {"--every", 1, 100000, "a whole number 1..100000", &HackOptions::every, nullptr},
    {"--start-tick", 0, 10000000, "a whole number 0..10000000", &HackOptions::startTick, nullptr},
};

// The flags that stand alone and switch something on.
struct SwitchFlag {
    const char* name;
    bool HackOptions::*field;
};
const SwitchFlag SWITCH_FLAGS[] = {
    {"--manual", &HackOptions::manual},
    {"--invert-mouse", &HackOptions::invertMouse},
    {"--show-mouse", &HackOptions::showMouse},
    {"--fps", &HackOptions::fps},
};

template <typename Flag, size_t N>
const Flag* findFlag(const Flag (&flags)[N], const std::string& name) {
    for (const Flag& flag : flags)
        if (name == flag.name) return &flag;
    return nullptr;
}

ParseResult failure(const std::string& message) {
    ParseResult result;
    result.outcome = ParseOutcome::Error;
    result.message = "orbitarium: " + message;
    return result;
}

// An argument as the error line shows it: control bytes and bytes past ASCII as \xNN, so that the
// message stays one readable line whatever was typed.
std::string printable(const char* text) {
    std::string shown;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p >= 0x20 && *p < 0x7F) {
            shown.push_back(static_cast<char>(*p));
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", *p);
            shown += escaped;
        }
    }
    return shown;
}

std::string accepts(const char* flag, const char* what) { return std::string(flag) + " takes " + what; }

}  // namespace

const char* hackUsage() { return USAGE; }

ParseResult parseHackOptions(int argc, const char* const* argv, const char* screensaverWindow) {
    ParseResult result;
    HackOptions& o = result.options;
    bool targetNamed = false;
    for (int i = 1; i < argc; ++i) {
        // XScreenSaver writes its hacks' flags with one dash; both spellings are taken, and "--x=v".
        std::string flag = argv[i];
        if (flag.size() > 1 && flag[0] == '-' && flag[1] != '-') flag.insert(0, "-");
        std::string inlineValue;
        bool hasInline = false;
        const size_t equals = flag.find('=');
        if (flag.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = flag.substr(equals + 1);
            flag.resize(equals);
            hasInline = true;
        }
        // The value of a flag that takes one: after '=' or the next argument.
        auto value = [&]() -> const char* {
            if (hasInline) return inlineValue.c_str();
            return i + 1 < argc ? argv[++i] : nullptr;
        };
        const WholeNumberFlag* number = findFlag(WHOLE_NUMBER_FLAGS, flag);
        const SwitchFlag* on = findFlag(SWITCH_FLAGS, flag);
        const bool standsAlone = on || flag == "--root" || flag == "--fullscreen" || flag == "--help" ||
                                 flag == "--version";
        if (standsAlone && hasInline) return failure(flag + " takes no value");
        int64_t n = 0;
        if (number) {
            if (!readInteger(value(), number->low, number->high, &n)) return failure(accepts(number->name, number->accepted));
            o.*(number->field) = static_cast<int32_t>(n);
            if (number->marks) o.*(number->marks) = true;
        } else if (on) {
            o.*(on->field) = true;
        } else if (flag == "--help" || flag == "-h" || flag == "--h") {
            result.outcome = ParseOutcome::Help;
            return result;
        } else if (flag == "--version") {
            result.outcome = ParseOutcome::Version;
            return result;
        } else if (flag == "--root") {
            o.target = HackTarget::Root;
            targetNamed = true;
        } else if (flag == "--fullscreen") {
            o.target = HackTarget::FullScreen;
            targetNamed = true;
        } else if (flag == "--window-id") {
            if (!readWindowId(value(), &o.windowId))
                return failure(accepts("--window-id", "a window id, decimal or 0x hexadecimal"));
            o.target = HackTarget::GivenWindow;
            targetNamed = true;
        } else if (flag == "--geometry") {
            if (!readSize(value(), 16, 16384, &o.width, &o.height))
                return failure(accepts("--geometry", "WIDTHxHEIGHT, each 16..16384"));
        } else if (flag == "--size") {
            if (!readSize(value(), 16, 8192, &o.width, &o.height))
                return failure(accepts("--size", "WIDTHxHEIGHT, each 16..8192"));
        } else if (flag == "--monitors") {
            if (!readMonitors(value(), o))
                return failure(accepts("--monitors", "WxH+X+Y[,WxH+X+Y...], the primary first, at most 16"));
        } else if (flag == "--render") {
            // A flag in the folder's place means the folder was left out ("--render --size 64x64");
            // a folder whose name starts with '-' is written ./-name or after '='.
            const bool flagFollows = !hasInline && i + 1 < argc && argv[i + 1][0] == '-';
            const char* directory = flagFollows ? nullptr : value();
            if (!directory || !*directory) return failure(accepts("--render", "a folder to write the pictures in"));
            o.renderDirectory = directory;
        } else {
            return failure("unknown option " + printable(argv[i]) + " (--help lists the options)");
        }
    }
    if (!o.renderDirectory.empty()) {
        o.target = HackTarget::Stills;
        return result;
    }
    if (o.monitorCount > 0) return failure("--monitors goes with --render");
    // XScreenSaver names the window it made for the hack in the environment; it stands unless a
    // flag asked for another target.
    if (screensaverWindow && *screensaverWindow &&
        (!targetNamed || o.target == HackTarget::Root)) {
        if (!readWindowId(screensaverWindow, &o.windowId))
            return failure("XSCREENSAVER_WINDOW holds no window id (decimal or 0x hexadecimal)");
        o.target = HackTarget::Root;
    }
    return result;
}
