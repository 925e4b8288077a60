// The update tick in manual flight: which button reads the cursor, steers and moves which way, and
// the roll that needs no button. The camera starts at (0, 0, 10) looking down -z with y up, so the
// viewer's right is +x; the screen is 640 x 480.
#include <gtest/gtest.h>

#include <cmath>

#include "platform_override.h"
#include "scene/flight_input.h"
#include "scene/scene.h"
#include "scene/update_tick.h"
#include "settings/saver_settings.h"

namespace {

int32_t cursorX = 0, cursorY = 0, cursorReads = 0;
bool fakeCursor(int32_t* x, int32_t* y) {
    ++cursorReads;
    *x = cursorX;
    *y = cursorY;
    return true;
}

class ManualTick : public ::testing::Test {
protected:
    void SetUp() override {
        scene = Scene{};
        const float eye[3] = {0, 0, 10}, target[3] = {0, 0, 9}, up[3] = {0, 1, 0};
        for (int k = 0; k < 3; ++k) {
            scene.eye[k] = eye[k];
            scene.target[k] = target[k];
            scene.up[k] = up[k];
        }
        saverSettings = SaverSettings{};
        saverSettings.AutoPilot = 0;
        flightInput = FlightInput{};
        setMouseScales(flightInput, 640.0f, 480.0f);
        flightInput.thrust = 2.0f;
        platform.cursorPosition = fakeCursor;
        cursorReads = 0;
    }
    void TearDown() override {
        scene = Scene{};
        flightInput = FlightInput{};
    }
    // One tick with `button` held and the cursor at (x, y).
    void tick(int button, int32_t x, int32_t y) {
        flightInput.mouseButton = button;
        cursorX = x;
        cursorY = y;
        updateTick();
    }
    static float view(int k) { return scene.target[k] - scene.eye[k]; }
    static double degrees(double radians) { return radians * 180.0 / M_PI; }
    ScopedPlatform saved;
};

}  // namespace

TEST_F(ManualTick, LeftButtonReadsTheCursorTurnsTheViewAndFliesAlongTheTurnedView) {
    flightInput.steerCursor = {320, 240};  // stale: the tick reads the cursor itself
    tick(1, 640, 240);                     // right edge: yaw +2
    EXPECT_EQ(cursorReads, 1);
    EXPECT_EQ(flightInput.steerCursor.x, 640);
    EXPECT_NEAR(degrees(std::atan2(view(0), -view(2))), 2.0, 1e-3) << "turned right";
    EXPECT_NEAR(view(1), 0.0f, 1e-6);
    // Steered first, then moved thrust view lengths along the new view.
    EXPECT_NEAR(scene.eye[0], 2.0f * view(0), 1e-5);
    EXPECT_NEAR(scene.eye[2], 10.0f + 2.0f * view(2), 1e-5);
    EXPECT_LT(scene.eye[2], 10.0f);
}

TEST_F(ManualTick, RightButtonSteersTheSameWayButFliesBackward) {
    tick(2, 640, 240);
    EXPECT_EQ(cursorReads, 1);
    EXPECT_NEAR(degrees(std::atan2(view(0), -view(2))), 2.0, 1e-3) << "turned right";
    EXPECT_NEAR(scene.eye[0], -2.0f * view(0), 1e-5);
    EXPECT_NEAR(scene.eye[2], 10.0f - 2.0f * view(2), 1e-5);
    EXPECT_GT(scene.eye[2], 10.0f);

    // A negative thrust (the Down arrow) swaps the directions of the buttons.
    SetUp();
    flightInput.thrust = -5.0f;
    tick(1, 320, 240);
    EXPECT_FLOAT_EQ(scene.eye[2], 15.0f);
}

TEST_F(ManualTick, CursorBelowTheCentreTurnsTheViewDownAndInvertMouseUp) {
    tick(1, 320, 480);  // bottom edge: pitch +2
    EXPECT_NEAR(degrees(std::atan2(view(1), -view(2))), -2.0, 1e-3);
    EXPECT_NEAR(degrees(std::atan2(scene.up[2], scene.up[1])), -2.0, 1e-3) << "up turns with the pitch";
    EXPECT_LT(scene.eye[1], 0.0f) << "and the camera flies down";

    SetUp();
    saverSettings.InvertMouse = 1;
    tick(2, 320, 480);
    EXPECT_NEAR(degrees(std::atan2(view(1), -view(2))), 2.0, 1e-3);
    EXPECT_LT(scene.eye[1], 0.0f) << "backward, away from the raised view";
}

TEST_F(ManualTick, WithoutALeftOrRightButtonTheCursorIsNotReadAndOnlyTheRollTurns) {
    tick(3, 640, 480);
    tick(0, 0, 0);
    EXPECT_EQ(cursorReads, 0);
    EXPECT_EQ(scene.up[0], 0.0f);

    flightInput.tilt = 1.0f;  // Left arrow: up leans 1 degree to the viewer's left, per tick
    tick(0, 0, 0);
    EXPECT_EQ(cursorReads, 0);
    EXPECT_NEAR(degrees(std::atan2(-scene.up[0], scene.up[1])), 0.017453 * 180.0 / M_PI, 1e-4);
    EXPECT_FLOAT_EQ(scene.eye[2], 10.0f);
    EXPECT_FLOAT_EQ(scene.target[2], 9.0f);
    EXPECT_EQ(scene.target[0], 0.0f);

    flightInput.tilt = -1.0f;  // Right arrow, twice: back and one degree to the right
    tick(3, 0, 0);
    tick(3, 0, 0);
    EXPECT_NEAR(degrees(std::atan2(scene.up[0], scene.up[1])), 0.017453 * 180.0 / M_PI, 1e-4);
    EXPECT_FLOAT_EQ(scene.eye[2], 10.0f);
}

TEST_F(ManualTick, RollFollowsTheSteeringInTheSameTick) {
    flightInput.tilt = 1.0f;
    tick(1, 640, 240);  // yaw right, then roll about the turned view
    EXPECT_NEAR(degrees(std::atan2(view(0), -view(2))), 2.0, 1e-3);
    EXPECT_NEAR(view(1), 0.0f, 1e-6) << "the yaw turned about the up of before the roll";
    const float d[3] = {view(0), view(1), view(2)};
    const float dot = d[0] * scene.up[0] + d[1] * scene.up[1] + d[2] * scene.up[2];
    EXPECT_NEAR(dot, 0.0f, 1e-6) << "up stays square to the turned view";
    EXPECT_LT(scene.up[0], 0.0f);
}
