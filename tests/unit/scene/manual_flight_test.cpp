#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "scene/flight_input.h"
#include "scene/manual_flight.h"
#include "scene/rotation.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"

namespace {

class ManualFlight : public ::testing::Test {
protected:
    void SetUp() override {
        scene = Scene{};
        const float eye[3] = {0, 0, 10}, target[3] = {0, 0, 9}, up[3] = {0, 1, 0};
        std::memcpy(scene.eye, eye, sizeof eye);
        std::memcpy(scene.target, target, sizeof target);
        std::memcpy(scene.up, up, sizeof up);
        saverSettings = SaverSettings{};
        flightInput = FlightInput{};
        setMouseScales(flightInput, 640.0f, 480.0f);
    }
    static float d(int k) { return scene.target[k] - scene.eye[k]; }
};

TEST_F(ManualFlight, CursorAtTheCentreFliesStraight) {
    flightInput.steerCursor = {320, 240};
    flightInput.thrust = 2.0f;
    steerCamera();
    moveCamera(true);
    EXPECT_FLOAT_EQ(scene.eye[2], 8.0f);
    EXPECT_FLOAT_EQ(scene.target[2], 7.0f);
    EXPECT_FLOAT_EQ(scene.eye[0], 0.0f);
    EXPECT_FLOAT_EQ(scene.up[1], 1.0f);
}

TEST_F(ManualFlight, RightEdgeYawsTwoDegreesToTheRight) {
    flightInput.steerCursor = {640, 240};  // yaw +2, pitch 0 in 32-bit floats
    EXPECT_EQ(640 * flightInput.mouseScaleX - 2.0f, 2.0f);
    EXPECT_EQ(240 * flightInput.mouseScaleY - 2.0f, 0.0f);
    steerCamera();
    // Looking down -z, the viewer's right is +x.
    EXPECT_GT(d(0), 0.0f);
    EXPECT_NEAR(std::atan2(d(0), -d(2)) * 180.0 / M_PI, 2.0, 0.001);
    EXPECT_FLOAT_EQ(scene.up[1], 1.0f);
}

TEST_F(ManualFlight, TopLeftTurnsLeftAndUpAndInvertMouseFlipsThePitch) {
    flightInput.steerCursor = {0, 0};  // yaw -2, pitch -2
    steerCamera();
    EXPECT_LT(d(0), 0.0f);
    EXPECT_GT(d(1), 0.0f);  // the top of the screen turns the view up
    SetUp();
    saverSettings.InvertMouse = 1;
    flightInput.steerCursor = {320, 0};
    steerCamera();
    EXPECT_LT(d(1), 0.0f);
}

TEST_F(ManualFlight, NegativeThrustFliesBackward) {
    flightInput.thrust = -5.0f;
    moveCamera(true);
    EXPECT_FLOAT_EQ(scene.eye[2], 15.0f);
    moveCamera(false);
    EXPECT_FLOAT_EQ(scene.eye[2], 10.0f);
    EXPECT_FLOAT_EQ(d(2), -1.0f);  // the view vector is unchanged
}

TEST_F(ManualFlight, RollTurnsOnlyTheUpVector) {
    flightInput.tilt = 1.0f;
    rollCamera();
    // Left arrow: up leans to the viewer's left (-x) by one degree.
    EXPECT_NEAR(std::atan2(-scene.up[0], scene.up[1]) * 180.0 / M_PI, 1.0, 0.001);
    EXPECT_FLOAT_EQ(scene.eye[2], 10.0f);
    EXPECT_FLOAT_EQ(d(2), -1.0f);
}

TEST_F(ManualFlight, PitchWithAnObliqueViewTurnsLessAndShortensTheVectors) {
    // The initial camera: the view about 26 degrees below the horizon, so |D x up| is about 0.9.
    std::memcpy(scene.eye, INITIAL_EYE, sizeof scene.eye);
    std::memcpy(scene.target, INITIAL_TARGET, sizeof scene.target);
    const float before = std::sqrt(d(0) * d(0) + d(1) * d(1) + d(2) * d(2));
    flightInput.steerCursor = {320, 480};  // pitch +2: down
    steerCamera();
    const float after = std::sqrt(d(0) * d(0) + d(1) * d(1) + d(2) * d(2));
    EXPECT_LT(after, before);  // never renormalised
    EXPECT_GT(after, before * 0.999f);
}

}  // namespace
