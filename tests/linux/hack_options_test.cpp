// The Linux program's flags: every flag with good values, every bad value refused with a message
// that names the flag, and how XSCREENSAVER_WINDOW picks the window.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "hack/hack_options.h"

namespace {

ParseResult parse(std::initializer_list<const char*> flags, const char* environment = nullptr) {
    std::vector<const char*> argv = {"orbitarium"};
    argv.insert(argv.end(), flags.begin(), flags.end());
    return parseHackOptions(static_cast<int>(argv.size()), argv.data(), environment);
}

HackOptions options(std::initializer_list<const char*> flags, const char* environment = nullptr) {
    const ParseResult result = parse(flags, environment);
    EXPECT_EQ(result.outcome, ParseOutcome::Run) << result.message;
    return result.options;
}

TEST(HackOptions, DefaultsAreAWindowOfTheUsualSizeWithTheSaversOwnSettings) {
    const HackOptions o = options({});
    EXPECT_EQ(o.target, HackTarget::OwnWindow);
    EXPECT_EQ(o.width, 1024);
    EXPECT_EQ(o.height, 768);
    EXPECT_EQ(o.cameraSpeed, 4);
    EXPECT_EQ(o.planetSpeed, 3);
    EXPECT_EQ(o.stars, 2);
    EXPECT_FALSE(o.manual || o.invertMouse || o.showMouse || o.fps || o.seeded);
    EXPECT_EQ(o.delayMicroseconds, 20000);
}

TEST(HackOptions, EveryFlagSetsItsValueAtBothEndsOfItsRange) {
    HackOptions o = options({"--camera-speed", "1", "--planet-speed", "0", "--stars", "0", "--seed", "0",
                             "--delay", "0", "--geometry", "16x16"});
    EXPECT_EQ(o.cameraSpeed, 1);
    EXPECT_EQ(o.planetSpeed, 0);
    EXPECT_EQ(o.stars, 0);
    EXPECT_TRUE(o.seeded);
    EXPECT_EQ(o.seed, 0);
    EXPECT_EQ(o.delayMicroseconds, 0);
    EXPECT_EQ(o.width, 16);
    o = options({"--camera-speed", "5", "--planet-speed", "5", "--stars", "4", "--seed", "255", "--delay",
                 "10000000", "--geometry", "640x480", "--manual", "--invert-mouse", "--show-mouse", "--fps"});
    EXPECT_EQ(o.cameraSpeed, 5);
    EXPECT_EQ(o.planetSpeed, 5);
    EXPECT_EQ(o.stars, 4);
    EXPECT_EQ(o.seed, 255);
    EXPECT_EQ(o.delayMicroseconds, 10000000);
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 480);
    EXPECT_TRUE(o.manual && o.invertMouse && o.showMouse && o.fps);
}

TEST(HackOptions, OneDashAndEqualsSpellingsAreTheSameFlags) {
    // XScreenSaver's settings write "-delay 20000"; people write "--delay=20000".
    EXPECT_EQ(options({"-delay", "5000"}).delayMicroseconds, 5000);
    EXPECT_EQ(options({"--delay=7000"}).delayMicroseconds, 7000);
    EXPECT_EQ(options({"-root"}).target, HackTarget::Root);
    EXPECT_EQ(options({"--stars=3"}).stars, 3);
}

TEST(HackOptions, StillsTakeTheirSizeCountStepAndStart) {
    const HackOptions o = options({"--render", "out", "--size", "1280x720", "--frames", "12", "--every", "5",
                                   "--start-tick", "100", "--seed", "9"});
    EXPECT_EQ(o.target, HackTarget::Stills);
    EXPECT_EQ(o.renderDirectory, "out");
    EXPECT_EQ(o.width, 1280);
    EXPECT_EQ(o.height, 720);
    EXPECT_EQ(o.frames, 12);
    EXPECT_EQ(o.every, 5);
    EXPECT_EQ(o.startTick, 100);
    // A desk: the first monitor is the primary; offsets may be negative either way of writing them.
    const HackOptions desk = options({"--render", "out", "--monitors", "1024x768+0+0,800x600-800+-120,640x480+1024+768"});
    ASSERT_EQ(desk.monitorCount, 3u);
    const MonitorArea want[] = {{0, 0, 1024, 768, true}, {-800, -120, 0, 480, false}, {1024, 768, 1664, 1248, false}};
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(desk.monitors[i].left, want[i].left) << i;
        EXPECT_EQ(desk.monitors[i].top, want[i].top) << i;
        EXPECT_EQ(desk.monitors[i].right, want[i].right) << i;
        EXPECT_EQ(desk.monitors[i].bottom, want[i].bottom) << i;
        EXPECT_EQ(desk.monitors[i].primary, want[i].primary) << i;
    }
    // Stills need no display, whatever XScreenSaver's variable says.
    EXPECT_EQ(options({"--render", "out"}, "0x200001").target, HackTarget::Stills);
}

struct BadValue {
    std::vector<const char*> flags;
    const char* named;  // what the message must name
};

TEST(HackOptions, EveryBadValueIsRefusedWithTheFlagAndWhatItAccepts) {
    const std::vector<BadValue> cases = {
        {{"--camera-speed", "0"}, "--camera-speed takes a whole number 1..5"},
        {{"--camera-speed", "6"}, "--camera-speed"},
        {{"--camera-speed", "2.5"}, "--camera-speed"},
        {{"--camera-speed"}, "--camera-speed"},
        {{"--planet-speed", "-1"}, "--planet-speed takes a whole number 0..5"},
        {{"--planet-speed", "6"}, "--planet-speed"},
        {{"--stars", "5"}, "--stars takes a whole number 0..4"},
        {{"--stars", "two"}, "--stars"},
        {{"--seed", "256"}, "--seed takes a whole number 0..255"},
        {{"--seed", "-1"}, "--seed"},
        {{"--seed", "99999999999999999999999"}, "--seed"},
        {{"--delay", "-1"}, "--delay takes microseconds"},
        {{"--delay", "10000001"}, "--delay"},
        {{"--delay", "1e5"}, "--delay"},
        {{"--delay", ""}, "--delay"},
        {{"--geometry", "640"}, "--geometry takes WIDTHxHEIGHT"},
        {{"--geometry", "0x480"}, "--geometry"},
        {{"--geometry", "640x"}, "--geometry"},
        {{"--geometry", "x480"}, "--geometry"},
        {{"--geometry", "640x480x3"}, "--geometry"},
        {{"--size", "9000x100"}, "--size takes WIDTHxHEIGHT"},
        {{"--frames", "0"}, "--frames takes a whole number 1..100000"},
        {{"--every", "0"}, "--every"},
        {{"--start-tick", "-5"}, "--start-tick"},
        {{"--render"}, "--render takes a folder"},
        {{"--render", ""}, "--render"},
        {{"--window-id", "0"}, "--window-id takes a window id"},
        {{"--window-id", "0x"}, "--window-id"},
        {{"--window-id", "12abc"}, "--window-id"},
        {{"--window-id", "-4"}, "--window-id"},
        {{"--window-id", "0x1ffffffff"}, "--window-id"},
        {{"--window-id"}, "--window-id"},
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"--manual=yes"}, "--manual takes no value"},
        {{"--fps=1"}, "--fps takes no value"},
        {{"-root=0"}, "--root takes no value"},
        {{"--fullscreen="}, "--fullscreen takes no value"},
        {{"--render", "--render"}, "--render takes a folder"},
        {{"--render", "--size", "64x64"}, "--render takes a folder"},
        {{"--render", "o", "--monitors", "1024x768"}, "--monitors takes WxH+X+Y"},
        {{"--render", "o", "--monitors", "1024x768+0"}, "--monitors"},
        {{"--render", "o", "--monitors", "1024x768+0+0,"}, "--monitors"},
        {{"--render", "o", "--monitors", "1024x768+0+0+0"}, "--monitors"},
        {{"--render", "o", "--monitors", "8x8+0+0"}, "--monitors"},
        {{"--render", "o", "--monitors", "8192x8192+0+0,8192x8192+8192+0,16x16+16384+0"}, "--monitors"},
        {{"--monitors", "1024x768+0+0"}, "--monitors goes with --render"},
        {{"stray"}, "unknown option stray"},
        {{"--bad\nline"}, "unknown option --bad\\x0Aline"},
        {{"--caf\xC3\xA9"}, "unknown option --caf\\xC3\\xA9"},
    };
    for (const BadValue& c : cases) {
        std::vector<const char*> argv = {"orbitarium"};
        argv.insert(argv.end(), c.flags.begin(), c.flags.end());
        const ParseResult result = parseHackOptions(static_cast<int>(argv.size()), argv.data(), nullptr);
        const std::string shown = c.flags[0] + std::string(c.flags.size() > 1 ? std::string(" ") + c.flags[1] : "");
        EXPECT_EQ(result.outcome, ParseOutcome::Error) << shown;
        EXPECT_NE(result.message.find(c.named), std::string::npos) << shown << " gave: " << result.message;
        EXPECT_EQ(result.message.find('\n'), std::string::npos) << "one line: " << shown;
    }
}

TEST(HackOptions, HelpWinsWhereverItStands) {
    EXPECT_EQ(parse({"--help"}).outcome, ParseOutcome::Help);
    EXPECT_EQ(parse({"--stars", "1", "--version"}).outcome, ParseOutcome::Version);
    // A folder whose name starts with a dash, written so that it cannot be a flag.
    EXPECT_EQ(parse({"--render=-out"}).options.renderDirectory, "-out");
    EXPECT_EQ(parse({"--render", "./-out"}).options.renderDirectory, "./-out");
    EXPECT_EQ(parse({"--stars", "1", "-h"}).outcome, ParseOutcome::Help);
    const std::string usage = hackUsage();
    for (const char* flag : {"--geometry", "--fullscreen", "--root", "--window-id", "--camera-speed",
                             "--planet-speed", "--stars", "--manual", "--invert-mouse", "--show-mouse", "--seed",
                             "--delay", "--fps", "--render", "--size", "--frames", "--every", "--start-tick", "--version"})
        EXPECT_NE(usage.find(flag), std::string::npos) << flag;
}

TEST(HackOptions, TheScreensaverWindowIsUsedUnlessAnotherTargetIsNamed) {
    HackOptions o = options({"--root"}, "0x2a00007");
    EXPECT_EQ(o.target, HackTarget::Root);
    EXPECT_EQ(o.windowId, 0x2a00007ul);
    o = options({}, "44040199");
    EXPECT_EQ(o.target, HackTarget::Root);
    EXPECT_EQ(o.windowId, 44040199ul);
    o = options({"--window-id", "0x400001"}, "0x2a00007");
    EXPECT_EQ(o.target, HackTarget::GivenWindow);
    EXPECT_EQ(o.windowId, 0x400001ul);
    EXPECT_EQ(options({"--fullscreen"}, "0x2a00007").target, HackTarget::FullScreen);
    // --root alone is the real root window.
    o = options({"--root"});
    EXPECT_EQ(o.windowId, 0ul);
    // An empty variable is no window.
    EXPECT_EQ(options({}, "").target, HackTarget::OwnWindow);
    const ParseResult bad = parse({"--root"}, "not-a-window");
    EXPECT_EQ(bad.outcome, ParseOutcome::Error);
    EXPECT_NE(bad.message.find("XSCREENSAVER_WINDOW"), std::string::npos);
}

}  // namespace
