#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene/flight_input.h"
#include "scene/rotation.h"
#include "scene/scene.h"
#include "scene/update_tick.h"
#include "settings/saver_settings.h"

namespace {

// A scene with the tour built and no bodies (the bodies' part of the tick is tested on its own).
class Tick : public ::testing::Test {
protected:
    void SetUp() override {
        scene = Scene{};
        fillOrbitSteps(scene.orbitStep);
        for (int k = 0; k < 3; ++k) {
            buildCameraSpline(&scene.eyePath[k], PATH_KNOTS, PATH_EYE[k], PATH_POINT_COUNT, 0, 0);
            buildCameraSpline(&scene.targetPath[k], PATH_KNOTS, PATH_TARGET[k], PATH_POINT_COUNT, 0, 0);
        }
        saverSettings = SaverSettings{};
        flightInput = FlightInput{};
    }
    void TearDown() override {
        for (int k = 0; k < 3; ++k) {
            releaseCameraSpline(&scene.eyePath[k]);
            releaseCameraSpline(&scene.targetPath[k]);
        }
        scene = Scene{};
    }
};

TEST_F(Tick, TourParameterRunsAndWrapsToOne) {
    saverSettings.CameraSpeed = 5;
    std::vector<int32_t> seen;
    for (int i = 0; i < 3702; ++i) {
        updateTick();
        seen.push_back(scene.pathPosition);
    }
    EXPECT_EQ(seen[0], 10);
    EXPECT_EQ(seen[3698], 36990);
    EXPECT_EQ(seen[3699], 1);  // 37000 is past 36999
    EXPECT_EQ(seen[3700], 11);

    scene.pathPosition = 0;
    saverSettings.CameraSpeed = 1;
    for (int i = 0; i < 18499; ++i) updateTick();
    EXPECT_EQ(scene.pathPosition, 36998);
    updateTick();
    EXPECT_EQ(scene.pathPosition, 1);
    updateTick();
    EXPECT_EQ(scene.pathPosition, 3);
}

TEST_F(Tick, StoredSpeedsOutsideTheDialogsRangeAreReadSafely) {
    EXPECT_EQ(planetSpeedLevel(-4), 0);
    EXPECT_EQ(planetSpeedLevel(99), 5);
    EXPECT_EQ(planetSpeedLevel(INT32_MIN), 0);
    EXPECT_EQ(cameraSpeedStep(-7), 1);
    EXPECT_EQ(cameraSpeedStep(INT32_MAX), 5);
    EXPECT_EQ(nextPathPosition(36998, INT32_MAX), 1);
    EXPECT_EQ(nextPathPosition(-50, 3), 6);        // a position off the tour starts it again
    EXPECT_EQ(nextPathPosition(INT32_MAX, 3), 6);
    for (int32_t speed : {INT32_MIN, -1, 0, 6, 1000, INT32_MAX}) {
        saverSettings.CameraSpeed = speed;
        saverSettings.PlanetSpeed = speed;
        for (int i = 0; i < 500; ++i) updateTick();
        EXPECT_GE(scene.pathPosition, 1);
        EXPECT_LE(scene.pathPosition, PATH_LAST);
        for (float angle : scene.orbitAngle) {
            EXPECT_GE(angle, 0.0f);
            EXPECT_LE(angle, 360.0f);
        }
        EXPECT_TRUE(std::isfinite(scene.eye[0]));
    }
}

TEST_F(Tick, SpinWrapsAboveThreeSixtyAndPlanetSpeedZeroFreezesOrbits) {
    saverSettings.PlanetSpeed = 0;
    scene.spinAngle = 359.5f;
    scene.orbitAngle[3] = 100.0f;
    updateTick();
    EXPECT_EQ(scene.spinAngle, 360.0f);
    updateTick();
    EXPECT_EQ(scene.spinAngle, 0.5f);
    updateTick();
    EXPECT_EQ(scene.spinAngle, 1.0f);
    EXPECT_EQ(scene.orbitAngle[3], 100.0f);
    EXPECT_GT(scene.pathPosition, 0);  // the camera goes on

    saverSettings.PlanetSpeed = 5;
    scene.orbitAngle[0] = 359.9f;
    updateTick();
    EXPECT_NEAR(scene.orbitAngle[0], 359.9f + 0.56f - 360.0f, 1e-4);
}

TEST_F(Tick, CameraFollowsTheTourAndManualFlightNeedsAButtonToMove) {
    updateTick();
    const float tourEye = scene.eye[0];
    EXPECT_NEAR(tourEye, evalCameraSpline(&scene.eyePath[0], scene.pathPosition), 1e-3);

    saverSettings.AutoPilot = 0;
    flightInput.thrust = 2.0f;
    const Scene before = scene;
    updateTick();  // no button, no tilt
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(scene.eye[k], before.eye[k]);
        EXPECT_EQ(scene.target[k], before.target[k]);
        EXPECT_EQ(scene.up[k], before.up[k]);
    }
    flightInput.mouseButton = 3;  // the middle button neither steers nor moves
    updateTick();
    EXPECT_EQ(scene.eye[0], before.eye[0]);
}

}  // namespace
