// The Linux front end's input rules on top of the saver's own: which events end the program in a
// window, full screen and as XScreenSaver's hack, and which ones fly.
#include <gtest/gtest.h>

#include "hack/hack_events.h"
#include "platform/platform.h"
#include "saver/saver_input.h"
#include "saver/startup.h"
#include "scene/flight_input.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"

namespace {

uint32_t fakeClock = 0;
uint32_t readFakeClock() { return fakeClock; }

class HackEvents : public ::testing::Test {
protected:
    void SetUp() override {
        savedPlatform = platform;
        platform.tickCount = readFakeClock;
        fakeClock = 1000;
        saverSettings = SaverSettings{};
        saverState = SaverState{};
        flightInput = FlightInput{};
        largeMoveCount = 0;
    }
    void TearDown() override { platform = savedPlatform; }

    static void key(uint32_t code) {
        handleHackEvent({HackEvent::KeyDown, code});
        handleHackEvent({HackEvent::KeyUp, code});
    }
    static void press(int32_t button, int32_t x, int32_t y) {
        HackEvent down{HackEvent::ButtonDown};
        down.button = button;
        down.x = x;
        down.y = y;
        handleHackEvent(down);
    }
    static void move(int32_t x, int32_t y) {
        HackEvent event{HackEvent::PointerMove};
        event.x = x;
        event.y = y;
        handleHackEvent(event);
    }
    static void resize(int32_t width, int32_t height) {
        HackEvent event{HackEvent::Resize};
        event.x = width;
        event.y = height;
        handleHackEvent(event);
    }
    // A frame's worth of event handling has passed: true when the program ends.
    static bool ended() { return finishHackEvents(); }

    Platform savedPlatform{};
};

TEST_F(HackEvents, InAWindowOnlyEscapeQAndClosingEndIt) {
    for (uint32_t ending : {KEY_ESCAPE, KEY_Q}) {
        beginHackInput(HackTarget::OwnWindow, 800, 600, 10, 10);
        key(ending);
        EXPECT_TRUE(ended()) << ending;
    }
    beginHackInput(HackTarget::OwnWindow, 800, 600, 10, 10);
    handleHackEvent({HackEvent::CloseRequest});
    EXPECT_TRUE(ended());

    beginHackInput(HackTarget::OwnWindow, 800, 600, 10, 10);
    for (uint32_t flight = KEY_0; flight <= KEY_9; ++flight) key(flight);
    for (uint32_t other : {KEY_T, KEY_P, KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN, KEY_OTHER, uint32_t('A'), uint32_t('Z')})
        key(other);
    for (int32_t button = 1; button <= 5; ++button) press(button, 400, 300);
    // Large moves, more than enough to end a full-screen saver on the autopilot.
    for (int i = 0; i < 10; ++i) move(i % 2 ? 0 : 700, i % 2 ? 0 : 500);
    EXPECT_FALSE(ended());
}

TEST_F(HackEvents, InAWindowFlightKeysAndButtonsFly) {
    beginHackInput(HackTarget::OwnWindow, 800, 600, 0, 0);
    handleHackEvent({HackEvent::KeyDown, KEY_0});
    EXPECT_EQ(flightInput.thrust, 10.0f);
    handleHackEvent({HackEvent::KeyDown, KEY_UP});
    EXPECT_EQ(flightInput.thrust, 5.0f);
    handleHackEvent({HackEvent::KeyUp, KEY_UP});
    EXPECT_EQ(flightInput.thrust, 0.0f);
    handleHackEvent({HackEvent::KeyDown, KEY_LEFT});
    EXPECT_EQ(flightInput.tilt, 1.0f);
    handleHackEvent({HackEvent::KeyUp, KEY_LEFT});
    EXPECT_EQ(flightInput.tilt, 0.0f);

    ASSERT_EQ(saverSettings.AutoPilot, 1);
    key(KEY_P);
    EXPECT_EQ(saverSettings.AutoPilot, 0);
    key(KEY_P);
    EXPECT_EQ(saverSettings.AutoPilot, 1);

    // X's right button is the third; the saver calls it 2 (fly backward). The flight steers
    // towards where it was pressed, in window pixels.
    press(3, 120, 90);
    EXPECT_EQ(flightInput.mouseButton, 2);
    EXPECT_EQ(flightInput.steerCursor.x, 120);
    EXPECT_EQ(flightInput.steerCursor.y, 90);
    press(2, 5, 6);
    EXPECT_EQ(flightInput.mouseButton, 3);
    HackEvent up{HackEvent::ButtonUp};
    up.button = 2;
    handleHackEvent(up);
    EXPECT_EQ(flightInput.mouseButton, 0);
    // The wheel is no button of the saver's.
    press(4, 1, 1);
    EXPECT_EQ(flightInput.mouseButton, 0);
    move(300, 200);
    int32_t x = 0, y = 0;
    platform.cursorPosition(&x, &y);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 200);
}

TEST_F(HackEvents, FullScreenAnyOtherKeyEndsItButFlightKeysDoNot) {
    beginHackInput(HackTarget::FullScreen, 1024, 768, 512, 384);
    for (uint32_t flight : {KEY_1, KEY_0, KEY_T, KEY_P, KEY_LEFT, KEY_DOWN}) key(flight);
    EXPECT_FALSE(ended());
    key(uint32_t('A'));
    EXPECT_TRUE(ended());
    beginHackInput(HackTarget::FullScreen, 1024, 768, 512, 384);
    key(KEY_ESCAPE);
    EXPECT_TRUE(ended());
}

TEST_F(HackEvents, FullScreenTheFourthLargeMoveOnTheAutopilotEndsIt) {
    beginHackInput(HackTarget::FullScreen, 1024, 768, 0, 0);
    const int32_t spots[][2] = {{200, 0}, {0, 0}, {200, 0}, {0, 0}};
    for (int i = 0; i < 3; ++i) {
        move(spots[i][0], spots[i][1]);
        EXPECT_FALSE(ended()) << i;
    }
    move(180, 50);  // within 100 pixels of the last anchor: not a large move
    EXPECT_FALSE(ended());
    move(spots[3][0] + 400, spots[3][1]);
    EXPECT_TRUE(ended());
    // In manual flight the mouse steers, and moving it never ends the saver.
    beginHackInput(HackTarget::FullScreen, 1024, 768, 0, 0);
    saverSettings.AutoPilot = 0;
    for (int i = 0; i < 8; ++i) move(i % 2 ? 0 : 900, 0);
    EXPECT_FALSE(ended());
}

TEST_F(HackEvents, FullScreenEndingAfterTheGracePeriodAsksNoPasswordOfItsOwn) {
    beginHackInput(HackTarget::FullScreen, 1024, 768, 0, 0);
    fakeClock += 60000;  // long past the password delay: the daemon, not the hack, locks the screen
    key(uint32_t('X'));
    EXPECT_TRUE(ended());
    EXPECT_EQ(saverState.checkingPassword, 0);
}

TEST_F(HackEvents, TheHacksWindowsTakeNoInputButFollowTheirSize) {
    for (HackTarget target : {HackTarget::Root, HackTarget::GivenWindow}) {
        beginHackInput(target, 200, 150, 0, 0);
        key(KEY_ESCAPE);
        key(uint32_t('A'));
        handleHackEvent({HackEvent::CloseRequest});
        press(1, 10, 10);
        for (int i = 0; i < 8; ++i) move(i % 2 ? 0 : 900, 0);
        EXPECT_FALSE(ended());
        EXPECT_EQ(flightInput.mouseButton, 0);
        resize(640, 400);
        EXPECT_TRUE(hackInput.resized);
        EXPECT_EQ(hackInput.width, 640);
        EXPECT_EQ(hackInput.height, 400);
    }
}

TEST_F(HackEvents, ASizeThatDidNotChangeOrIsEmptyIsNoResize) {
    beginHackInput(HackTarget::OwnWindow, 640, 480, 0, 0);
    resize(640, 480);
    EXPECT_FALSE(hackInput.resized);
    resize(0, 480);
    EXPECT_FALSE(hackInput.resized);
    EXPECT_EQ(hackInput.width, 640);
}

// Unmapped or wholly covered, nothing of the window shows, in whichever way it runs; any part shown
// counts as seen. Neither is input: full screen does not end for it.
TEST_F(HackEvents, NothingShowsWhileUnmappedOrWhollyCovered) {
    for (HackTarget target : {HackTarget::OwnWindow, HackTarget::FullScreen, HackTarget::GivenWindow}) {
        beginHackInput(target, 640, 480, 0, 0);
        EXPECT_FALSE(hackPictureHidden());
        handleHackEvent({HackEvent::Covered});
        EXPECT_TRUE(hackPictureHidden());
        handleHackEvent({HackEvent::Unmapped});
        handleHackEvent({HackEvent::Uncovered});
        EXPECT_TRUE(hackPictureHidden()) << "uncovered but still unmapped";
        handleHackEvent({HackEvent::Mapped});
        EXPECT_FALSE(hackPictureHidden());
        EXPECT_FALSE(ended());
        EXPECT_EQ(saverState.closeRequested, 0);
    }
}

TEST(SaverButton, XButtonsMapToTheSaversLeftRightMiddle) {
    EXPECT_EQ(saverButton(1), 1);
    EXPECT_EQ(saverButton(2), 3);
    EXPECT_EQ(saverButton(3), 2);
    for (int32_t other : {0, 4, 5, 6, 7, -1}) EXPECT_EQ(saverButton(other), 0) << other;
}

}  // namespace
