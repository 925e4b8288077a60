#include <gtest/gtest.h>

#include <string>

#include "saver/command_line.h"

namespace {

struct Case {
    const char* text;
    SaverMode mode;
    intptr_t parent;
    bool foreground;
};

void PrintTo(const Case& c, std::ostream* os) { *os << '[' << c.text << ']'; }

class CommandLineCases : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineCases, ParsesModeAndParent) {
    const Case& c = GetParam();
    const CommandLine parsed = parseCommandLine(c.text);
    EXPECT_EQ(parsed.mode, c.mode);
    EXPECT_EQ(parsed.parentWindow, c.parent);
    EXPECT_EQ(parsed.parentIsForeground, c.foreground);
}

constexpr SaverMode None = SaverMode::None;
constexpr SaverMode Configure = SaverMode::Configure;
constexpr SaverMode Password = SaverMode::ChangePassword;
constexpr SaverMode Preview = SaverMode::Preview;
constexpr SaverMode Run = SaverMode::Run;

INSTANTIATE_TEST_SUITE_P(
    ProgramNameAndPrefix, CommandLineCases,
    ::testing::Values(
        Case{"", Configure, 0, false},
        Case{"orb.scr", Configure, 0, false},
        Case{"orb.scr   ", Configure, 0, false},
        Case{"\"C:\\Program Files\\Orbitarium.scr\" /s", Run, 0, false},
        Case{"\"C:\\Program Files\\Orbitarium.scr\"", Configure, 0, false},
        Case{"\"C:\\My Savers\\orb.scr\"/s", Run, 0, false},    // nothing between quote and option
        Case{"\"unterminated quote /s", Configure, 0, false},   // the name runs to the end
        Case{"orb.scr \"", None, 0, false},                     // a quote is no option letter
        Case{"\"", Configure, 0, false},                         // a quote right at the end
        Case{"orb.scr /S", Run, 0, false},
        Case{"orb.scr -s", Run, 0, false},
        Case{"orb.scr s", Run, 0, false},
        Case{"orb.scr /sanything 123", Run, 0, false},
        Case{"orb.scr\t/s", Configure, 0, false},                // a tab does not end an unquoted name...
        Case{"orb.scr \t/s", None, 0, false},                    // ...and is not skipped as a space
        Case{"orb.scr /", None, 0, false},
        Case{"orb.scr -", None, 0, false},
        Case{"orb.scr /x", None, 0, false},
        Case{"orb.scr //s", None, 0, false},
        Case{"orb.scr /p 1234", Preview, 0, false},
        Case{"orb.scr /l 1234", Preview, 0, false},
        Case{"orb.scr P", Preview, 0, false}));

INSTANTIATE_TEST_SUITE_P(
    ParentWindow, CommandLineCases,
    ::testing::Values(
        Case{"orb.scr /c", Configure, 0, true},
        Case{"orb.scr /C", Configure, 0, true},
        Case{"orb.scr -c:", Configure, 0, true},
        Case{"orb.scr /c :: : ", Configure, 0, true},
        Case{"orb.scr /c:1234", Configure, 1234, false},
        Case{"orb.scr /c 1234", Configure, 1234, false},
        Case{"orb.scr /c::  42", Configure, 42, false},
        Case{"orb.scr /c:\t42", Configure, 42, false},        // white space before the number is skipped
        Case{"orb.scr /cx", Configure, 0, false},             // "x" reads as 0: no parent
        Case{"orb.scr /c:12ab", Configure, 12, false},
        Case{"orb.scr /c:+77", Configure, 77, false},
        Case{"orb.scr /c:-5", Configure, -5, false},
        Case{"orb.scr /c:-", Configure, 0, false},
        Case{"orb.scr /a:1234", Password, 1234, false},
        Case{"orb.scr -A 99", Password, 99, false},
        Case{"orb.scr /a", Password, 0, false},
        Case{"orb.scr /a::", Password, 0, false}));

TEST(CommandLine, OverlongNumbersSaturateInsteadOfOverflowing) {
    const std::string forty(40, '9');
    EXPECT_EQ(parseCommandLine(("orb.scr /c:" + forty).c_str()).parentWindow, INTPTR_MAX);
    EXPECT_EQ(parseCommandLine(("orb.scr /a -" + forty).c_str()).parentWindow, INTPTR_MIN);
    EXPECT_EQ(parseWindowNumber("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(parseWindowNumber("9223372036854775808"), INT64_MAX);
    EXPECT_EQ(parseWindowNumber("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(parseWindowNumber("-9223372036854775809"), INT64_MIN);
    EXPECT_EQ(parseWindowNumber("4294967295"), 4294967295);
    EXPECT_EQ(parseWindowNumber("000000000000000000000000000000000000042"), 42);
}

TEST(CommandLine, NumberStopsAtTheStringEnd) {
    // The digits end exactly at the terminator; the parser must not look past it.
    const char text[] = {'/', 'c', ':', '7', '\0', '9', '9'};
    const CommandLine parsed = parseCommandLine((std::string("x ") + text).c_str());
    EXPECT_EQ(parsed.parentWindow, 7);
    EXPECT_EQ(parseWindowNumber(""), 0);
    EXPECT_EQ(parseWindowNumber("   "), 0);
    EXPECT_EQ(parseWindowNumber("+"), 0);
}

TEST(CommandLine, NullIsNoOption) { EXPECT_EQ(parseCommandLine(nullptr).mode, SaverMode::None); }

}  // namespace
