#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform_override.h"
#include "saver/display_mode_switch.h"

namespace {

// A display that lists `modes` and answers changes from a script (success when the script is empty).
struct FakeDisplay {
    std::vector<DisplayMode> modes;
    std::deque<int32_t> answers;
    struct Change {
        bool restore;
        uint32_t width, height, bits, hertz, fields;
        int fromMode;  // which listed mode's record was passed
    };
    std::vector<Change> changes;
    std::vector<std::string> messages;
} display;

DisplayMode listed(int number, uint32_t w, uint32_t h, uint32_t bits, uint32_t hz) {
    DisplayMode mode;
    mode.width = w;
    mode.height = h;
    mode.bitsPerPixel = bits;
    mode.frequency = hz;
    mode.fields = 0x5C0000;  // depth, size and frequency, as a system lists them
    mode.record[0] = static_cast<unsigned char>(number);
    return mode;
}

bool fakeEnum(uint32_t index, DisplayMode* mode) {
    if (index >= display.modes.size()) return false;
    *mode = display.modes[index];
    return true;
}

int32_t fakeChange(const DisplayMode* mode) {
    if (!mode) {
        display.changes.push_back({true, 0, 0, 0, 0, 0, -1});
        return MODE_CHANGE_SUCCESSFUL;
    }
    display.changes.push_back(
        {false, mode->width, mode->height, mode->bitsPerPixel, mode->frequency, mode->fields, mode->record[0]});
    if (display.answers.empty()) return MODE_CHANGE_SUCCESSFUL;
    const int32_t answer = display.answers.front();
    display.answers.pop_front();
    return answer;
}

int fakeMessageBox(const char* text, const char* caption, uint32_t flags) {
    display.messages.push_back(std::string(text) + "|" + caption + "|" + std::to_string(flags));
    return 1;
}

class ModeSwitch : public ::testing::Test {
protected:
    void SetUp() override {
        platform.enumDisplayMode = fakeEnum;
        platform.changeDisplayMode = fakeChange;
        platform.messageBox = fakeMessageBox;
        display = FakeDisplay{};
        display.modes = {listed(0, 640, 480, 16, 60), listed(1, 1024, 768, 32, 60), listed(2, 1024, 768, 32, 75),
                         listed(3, 1024, 768, 32, 60)};
    }
    ScopedPlatform saved;
};

TEST_F(ModeSwitch, ExactModeIsSetAsListed) {
    EXPECT_TRUE(switchDisplayMode(1024, 768, 32, 75));
    ASSERT_EQ(display.changes.size(), 1u);
    EXPECT_EQ(display.changes[0].fromMode, 2);
    EXPECT_EQ(display.changes[0].fields, 0x5C0000u);  // untouched: the frequency is asked for too
    EXPECT_TRUE(display.messages.empty());
}

TEST_F(ModeSwitch, FailedExactModesAreAllTriedThenTheFirstIsAskedWithoutRefreshRate) {
    display.answers = {MODE_CHANGE_FAILED, MODE_CHANGE_FAILED};
    EXPECT_TRUE(switchDisplayMode(1024, 768, 32, 60));
    ASSERT_EQ(display.changes.size(), 3u);
    EXPECT_EQ(display.changes[0].fromMode, 1);
    EXPECT_EQ(display.changes[1].fromMode, 3);
    EXPECT_EQ(display.changes[2].fromMode, 1);  // the first that failed
    EXPECT_EQ(display.changes[2].fields, 0x1C0000u);
    EXPECT_TRUE(display.messages.empty());
}

TEST_F(ModeSwitch, NoModeWithTheRefreshRateAsksModeZerosRecordForDepthAndSize) {
    EXPECT_TRUE(switchDisplayMode(800, 600, 24, 85));
    ASSERT_EQ(display.changes.size(), 1u);
    const auto& change = display.changes[0];
    EXPECT_EQ(change.fromMode, 0);
    EXPECT_EQ(change.fields, 0x1C0000u);
    EXPECT_EQ(change.width, 800u);
    EXPECT_EQ(change.height, 600u);
    EXPECT_EQ(change.bits, 24u);
}

TEST_F(ModeSwitch, DepthAcceptedButSizeRefusedRestoresTheStoredModeSilently) {
    display.answers = {MODE_CHANGE_BADMODE, MODE_CHANGE_SUCCESSFUL, MODE_CHANGE_BADMODE};
    EXPECT_FALSE(switchDisplayMode(800, 600, 24, 85));
    ASSERT_EQ(display.changes.size(), 4u);
    EXPECT_EQ(display.changes[1].fields, 0x40000u);
    EXPECT_EQ(display.changes[2].fields, 0x180000u);
    EXPECT_TRUE(display.changes[3].restore);
    EXPECT_TRUE(display.messages.empty());
}

TEST_F(ModeSwitch, DepthAndThenSizeAcceptedSucceeds) {
    display.answers = {MODE_CHANGE_BADMODE, MODE_CHANGE_SUCCESSFUL, MODE_CHANGE_SUCCESSFUL};
    EXPECT_TRUE(switchDisplayMode(800, 600, 24, 85));
    EXPECT_EQ(display.changes.size(), 3u);
}

TEST_F(ModeSwitch, DepthAnswerChoosesTheMessage) {
    const struct {
        int32_t answer;
        const char* message;
    } rows[] = {
        {MODE_CHANGE_RESTART, "You must switch to that color depth in your Display properties|Error|16"},
        {MODE_CHANGE_BADMODE, "Fullscreen not supported in that color depth|Error|16"},
        {MODE_CHANGE_FAILED, "Failed to change to desired settings|Error|16"},
        {-3, "Unknown failure.|Error|16"},
        {2, "Unknown failure.|Error|16"},
    };
    for (const auto& row : rows) {
        display.changes.clear();
        display.messages.clear();
        display.answers = {MODE_CHANGE_FAILED, row.answer};
        EXPECT_FALSE(switchDisplayMode(800, 600, 24, 85)) << row.answer;
        ASSERT_EQ(display.messages.size(), 1u) << row.answer;
        EXPECT_EQ(display.messages[0], row.message);
        EXPECT_EQ(display.changes.size(), 2u);  // no restore: the depth never changed
    }
}

TEST_F(ModeSwitch, NoListedModesStillTriesDepthAndSize) {
    display.modes.clear();
    display.answers = {MODE_CHANGE_FAILED, MODE_CHANGE_BADMODE};
    EXPECT_FALSE(switchDisplayMode(1024, 768, 32, 60));
    ASSERT_EQ(display.changes.size(), 2u);
    EXPECT_EQ(display.changes[0].width, 1024u);
    EXPECT_EQ(display.messages.size(), 1u);
}

}  // namespace

namespace {

TEST_F(ModeSwitch, AZeroSizeIsNeverAskedForAndEndsLikeARefusedSize) {
    // Only the depth alone reaches the system; the size is refused here, and the stored mode put back.
    EXPECT_FALSE(switchDisplayMode(0, 768, 32, 60));
    ASSERT_EQ(display.changes.size(), 2u);
    EXPECT_EQ(display.changes[0].fields, 0x40000u);
    EXPECT_TRUE(display.changes[1].restore);
    EXPECT_TRUE(display.messages.empty());
    display.changes.clear();
    EXPECT_FALSE(switchDisplayMode(1024, 0, 32, 60));
    EXPECT_TRUE(display.changes.back().restore);
}

}  // namespace
