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

// A body stand-in: vertices with unit normals in every direction, and one representative.
struct SpinBody {
    CelestialBody body{};
    std::vector<MeshVertex> vertices;
    MeshVertex representative{};
    std::vector<float> built;

    SpinBody(int index) {
        body.index = index;
        for (int i = 0; i < 50; ++i) {
            const double a = i * 0.37, b = i * 0.91;
            MeshVertex v{};
            v.normal[0] = static_cast<float>(std::cos(a) * std::cos(b));
            v.normal[1] = static_cast<float>(std::sin(b));
            v.normal[2] = static_cast<float>(std::sin(a) * std::cos(b));
            vertices.push_back(v);
        }
        representative.normal[0] = 1.0f;
        for (const MeshVertex& v : vertices) built.insert(built.end(), v.normal, v.normal + 3);
        built.insert(built.end(), representative.normal, representative.normal + 3);
        body.mesh.vertexCount = static_cast<int32_t>(vertices.size());
        body.mesh.vertices = vertices.data();
        body.mesh.lodVertices = &representative;
        body.mesh.builtNormals = reinterpret_cast<float(*)[3]>(built.data());
        body.mesh.builtNormalCount = body.mesh.vertexCount + 1;
    }
};

// The angle between the normal the lighting uses and the normal the drawing shows, for a body spun by
// `degrees` the way glRotatef(degrees, 0, 1, 0) turns it.
double worstNormalError(const SpinBody& b, double degrees, double* worstLengthError) {
    const double t = degrees * M_PI / 180.0, c = std::cos(t), s = std::sin(t);
    double worst = 0.0;
    *worstLengthError = 0.0;
    const int count = b.body.mesh.builtNormalCount;
    for (int n = 0; n < count; ++n) {
        const float* built = &b.built[3 * n];
        const float* turned = n < b.body.mesh.vertexCount ? b.vertices[n].normal : b.representative.normal;
        const double drawn[3] = {c * built[0] + s * built[2], built[1], -s * built[0] + c * built[2]};
        const double length = std::sqrt(turned[0] * turned[0] + turned[1] * turned[1] + turned[2] * turned[2]);
        const double dot = turned[0] * drawn[0] + turned[1] * drawn[1] + turned[2] * drawn[2];
        const double cross[3] = {turned[1] * drawn[2] - turned[2] * drawn[1], turned[2] * drawn[0] - turned[0] * drawn[2],
                                 turned[0] * drawn[1] - turned[1] * drawn[0]};
        const double sine = std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]);
        worst = std::max(worst, std::atan2(sine, dot) * 180.0 / M_PI);  // well conditioned near 0
        *worstLengthError = std::max(*worstLengthError, std::fabs(length - 1.0));
    }
    return worst;
}

TEST_F(Tick, NormalsStayWithTheDrawnSpinForTenMillionTicks) {
    SpinBody earth(3), moon(10);
    earth.body.next = &moon.body;
    scene.bodies = &earth.body;
    // The spin angle alone decides the normals; run its ten million steps, then one full tick.
    for (int i = 0; i < 10000000 - 1; ++i) {
        scene.spinAngle += 0.5f;
        if (scene.spinAngle > 360.0f) scene.spinAngle -= 360.0f;
    }
    updateTick();
    double lengthError = 0.0;
    EXPECT_LT(worstNormalError(earth, scene.spinAngle, &lengthError), 0.05);
    EXPECT_LT(lengthError, 1e-5);
    // The Moon turns about the Earth and about itself: twice the spin.
    EXPECT_LT(worstNormalError(moon, std::fmod(2.0 * scene.spinAngle, 360.0), &lengthError), 0.05);
    EXPECT_LT(lengthError, 1e-5);
    scene.bodies = nullptr;
}

TEST_F(Tick, NormalsFollowEveryTickOfAShortRun) {
    SpinBody earth(3);
    scene.bodies = &earth.body;
    for (int i = 0; i < 2000; ++i) {
        updateTick();
        double lengthError = 0.0;
        ASSERT_LT(worstNormalError(earth, scene.spinAngle, &lengthError), 0.01) << i;
        ASSERT_LT(lengthError, 1e-5);
    }
    scene.bodies = nullptr;
}

}  // namespace
