// The Sun's glow as recorded GL calls: the turn that makes the sprites face the camera, the offset
// towards it, the two counter-turning sprites, and the cases where the turn has no axis or no angle.
#include <gtest/gtest.h>

#include <cmath>

#include "gl/recording_gl.h"
#include "render/special_passes.h"
#include "scene/scene.h"

namespace {

using recording_gl::Call;
using recording_gl::only;

void ORB_GLAPI translated(GLdouble x, GLdouble y, GLdouble z) { recording_gl::record("glTranslated", {x, y, z}); }

// Where glRotatef(angle, axis) sends a point: the right-hand turn about the normalised axis.
void turn(const Call& rotate, const double in[3], double out[3]) {
    const double a = rotate.args[0] * M_PI / 180.0;
    double k[3] = {rotate.args[1], rotate.args[2], rotate.args[3]};
    const double length = std::sqrt(k[0] * k[0] + k[1] * k[1] + k[2] * k[2]);
    for (double& c : k) c /= length;
    const double dot = k[0] * in[0] + k[1] * in[1] + k[2] * in[2];
    const double cross[3] = {k[1] * in[2] - k[2] * in[1], k[2] * in[0] - k[0] * in[2], k[0] * in[1] - k[1] * in[0]};
    for (int i = 0; i < 3; ++i) out[i] = in[i] * std::cos(a) + cross[i] * std::sin(a) + k[i] * dot * (1 - std::cos(a));
}

class SunGlowCalls : public ::testing::Test {
protected:
    void SetUp() override {
        scene = Scene{};
        glApi.glTranslated = translated;
    }
    void TearDown() override { scene = Scene{}; }
    void drawFrom(float x, float y, float z) {
        scene.eye[0] = x;
        scene.eye[1] = y;
        scene.eye[2] = z;
        recording_gl::calls.clear();
        drawSunGlow();
    }
    // The sprites' centre: the turned point 200 units up the local z axis.
    void expectCentreTowardsTheCamera() {
        const auto rotations = only({"glRotatef"});
        ASSERT_FALSE(rotations.empty());
        const auto translations = only({"glTranslated"});
        ASSERT_EQ(translations.size(), 1u);
        const double local[3] = {translations[0].args[0], translations[0].args[1], translations[0].args[2]};
        double world[3];
        turn(rotations[0], local, world);
        const double r = std::sqrt(double(scene.eye[0]) * scene.eye[0] + double(scene.eye[1]) * scene.eye[1] +
                                   double(scene.eye[2]) * scene.eye[2]);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(world[k], 200.0 * scene.eye[k] / r, 0.05) << "axis " << k;
    }
    recording_gl::ScopedRecordingGl gl;
};

}  // namespace

TEST_F(SunGlowCalls, TurnsZOntoTheCameraMovesTwoHundredUnitsAndDrawsTwoCounterTurningSprites) {
    scene.glowAngle = 41;
    drawFrom(300.0f, 400.0f, 1200.0f);  // 1300 from the Sun
    const double angle = std::acos(1200.0f / 1300.0f) / 0.017453;
    ASSERT_GE(recording_gl::calls.size(), 4u);
    EXPECT_EQ(recording_gl::calls[0], (Call{"glPushMatrix", {}}));
    const Call& rotate = recording_gl::calls[1];
    ASSERT_EQ(rotate.name, "glRotatef");
    EXPECT_NEAR(rotate.args[0], angle, 1e-3);
    EXPECT_EQ(rotate.args[1], -400.0) << "the axis z x eye";
    EXPECT_EQ(rotate.args[2], 300.0);
    EXPECT_EQ(rotate.args[3], 0.0);
    EXPECT_EQ(recording_gl::calls[2], (Call{"glTranslated", {0, 0, 200}}));
    expectCentreTowardsTheCamera();

    const std::vector<Call> sprites = {{"glPushMatrix", {}},
                                       {"glRotatef", {42, 0, 0, 1}},
                                       {"glBindTexture", {GL_TEXTURE_2D, 13}},
                                       {"glDisable", {GL_DEPTH_TEST}},
                                       {"glBegin", {GL_TRIANGLE_FAN}},
                                       {"glEnd", {0}},
                                       {"glPopMatrix", {}},
                                       {"glRotatef", {-42, 0, 0, 1}},
                                       {"glBindTexture", {GL_TEXTURE_2D, 14}},
                                       {"glBegin", {GL_TRIANGLE_FAN}},
                                       {"glEnd", {0}},
                                       {"glEnable", {GL_DEPTH_TEST}},
                                       {"glPopMatrix", {}}};
    EXPECT_EQ(std::vector<Call>(recording_gl::calls.begin() + 3, recording_gl::calls.end()), sprites);
    EXPECT_EQ(scene.glowAngle, 42);
}

TEST_F(SunGlowCalls, TheAngleStepsOncePerCallAndWrapsAfterThreeFiftyNine) {
    scene.glowAngle = 358;
    drawFrom(0.0f, 100.0f, 0.0f);
    EXPECT_EQ(only({"glRotatef"})[1].args[0], 359.0);
    drawFrom(0.0f, 100.0f, 0.0f);
    EXPECT_EQ(scene.glowAngle, 0);
    EXPECT_EQ(only({"glRotatef"})[1].args[0], 0.0);
    expectCentreTowardsTheCamera();  // a quarter turn about x
}

TEST_F(SunGlowCalls, OnTheZAxisTheTurnIsNoneInFrontAndAHalfTurnBehind) {
    drawFrom(0.0f, 0.0f, 500.0f);
    const Call front = only({"glRotatef"})[0];
    EXPECT_EQ(front.args[0], 0.0);
    for (double a : front.args) EXPECT_FALSE(std::isnan(a));
    expectCentreTowardsTheCamera();

    drawFrom(0.0f, 0.0f, -500.0f);
    const Call behind = only({"glRotatef"})[0];
    EXPECT_NEAR(behind.args[0], 180.0, 1e-2);
    EXPECT_GT(std::hypot(behind.args[1], behind.args[2]), 0.0) << "an axis across z";
    EXPECT_EQ(behind.args[3], 0.0);
    expectCentreTowardsTheCamera();
}

TEST_F(SunGlowCalls, AtTheSunsCentreNothingIsDrawn) {
    drawFrom(0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(only({"glRotatef", "glTranslated", "glBegin", "glPushMatrix", "glDisable"}).empty());
}
