// The light each lit body gets: with the Sun placed in the body's own frame every tick, the lit amount
// of every vertex is the one its drawn position and drawn normal give, at any spin and after any
// number of ticks. The drawn transform is read back from the frame render's own GL calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "geometry/celestial_body.h"
#include "geometry/vertex_colours.h"
#include "gl/gl_api.h"
#include "gl/glu.h"
#include "render/frame_render.h"
#include "scene/flight_input.h"
#include "scene/scene.h"
#include "scene/update_tick.h"
#include "settings/saver_settings.h"
#include "support/matrix_only_gl.h"

namespace {

class SunLight : public ::testing::Test {
protected:
    static void SetUpTestSuite() { buildBodies(&first); }
    static void TearDownTestSuite() { releaseBodies(&first); }
    void SetUp() override {
        savedGl_ = glApi;
        savedGlu_ = gluApi;
        installMatrixOnlyGl();
        scene = Scene{};
        fillOrbitSteps(scene.orbitStep);
        scene.bodies = &first;
        saverSettings = SaverSettings{};
        saverSettings.AutoPilot = 0;  // no tour: the tick only turns the bodies
        saverSettings.PlanetSpeed = 5;
        flightInput = FlightInput{};
        for (int i = 0; i < BODY_COUNT; ++i) scene.orbitAngle[i] = 37.0f * static_cast<float>(i);
        scene.orbitAngle[MOON_INDEX] = scene.orbitAngle[EARTH_INDEX];
    }
    void TearDown() override {
        glApi = savedGl_;
        gluApi = savedGlu_;
        scene = Scene{};
        saverSettings = SaverSettings{};
    }

    // Lights every body as the frame render does and returns the worst difference, over every mesh and
    // representative vertex of bodies 1 to 10, between its lit amount and the one its drawn position and
    // normal give with the Sun at the origin.
    static double worstLitError() {
        double worst = 0.0;
        for (CelestialBody* body = scene.bodies; body; body = body->next) {
            if (body->index == SUN_INDEX || body->index == RING_INDEX) continue;
            for (float& c : body->baseColour) c = 1.0f;
            litColours(body->mesh.lodRoot, body);
            float m[16];
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            turnBodyAsDrawn(body);
            glGetFloatv(GL_MODELVIEW_MATRIX, m);
            const auto check = [&](const MeshVertex& v) {
                double p[3], n[3];
                for (int r = 0; r < 3; ++r) {
                    p[r] = m[r] * v.position[0] + m[4 + r] * v.position[1] + m[8 + r] * v.position[2] + m[12 + r];
                    n[r] = m[r] * v.normal[0] + m[4 + r] * v.normal[1] + m[8 + r] * v.normal[2];
                }
                const double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
                const double expected = std::max(0.3, (n[0] * p[0] + n[1] * p[1] + n[2] * p[2]) / length + 0.3);
                worst = std::max(worst, std::fabs(v.colour[0] - expected));
            };
            for (int32_t i = 0; i < body->mesh.vertexCount; ++i) check(body->mesh.vertices[i]);
            for (const MeshVertex* v = body->mesh.lodVertices; v; v = v->next) check(*v);
        }
        return worst;
    }

    static CelestialBody first;
    GlApi savedGl_;
    GluApi savedGlu_;
};

CelestialBody SunLight::first;

TEST_F(SunLight, EveryVertexGetsTheLightOfItsDrawnPlaceAtEightSpinAnglesOfAFullSpin) {
    // 90 ticks of 0.5 degrees turn every body by 45 degrees (the Moon by 45 about the Earth, too).
    for (int step = 0; step < 8; ++step) {
        for (int t = 0; t < 90; ++t) updateTick();
        SCOPED_TRACE(::testing::Message() << "spin " << scene.spinAngle);
        EXPECT_LT(worstLitError(), 0.01);
    }
    EXPECT_FLOAT_EQ(scene.spinAngle, 360.0f);
}

TEST_F(SunLight, StillRightAfterTenMillionTicks) {
    for (int t = 0; t < 10000000; ++t) updateTick();
    EXPECT_LT(worstLitError(), 0.01);
    // Nothing the lighting reads has drifted: the normals are the built ones, unit length.
    for (CelestialBody* body = scene.bodies; body; body = body->next) {
        for (int32_t i = 0; i < body->mesh.vertexCount; ++i) {
            const float* n = body->mesh.vertices[i].normal;
            ASSERT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0, 1e-5);
        }
    }
}

// The Sun in each body's frame is where the inverse of the drawn turns puts the origin: for a planet
// spun by a, the origin turned by -a about the planet's centre; the orbit does not move the Sun.
TEST_F(SunLight, SunStandsWhereTheInverseOfTheDrawnTurnsPutsTheOrigin) {
    CelestialBody* jupiter = scene.bodies;
    while (jupiter->index != 5) jupiter = jupiter->next;
    CelestialBody* const after = jupiter->next;
    jupiter->next = nullptr;  // this body alone
    placeSunInBodyFrames(jupiter, 90.0f);
    // glRotatef(90, 0, 1, 0) takes +z to +x: undoing it about (1250, 0, 0) takes the Sun to (1250, 0, -1250).
    EXPECT_NEAR(jupiter->lightPosition[0], 1250.0f, 1e-3);
    EXPECT_NEAR(jupiter->lightPosition[1], 0.0f, 1e-3);
    EXPECT_NEAR(jupiter->lightPosition[2], -1250.0f, 1e-3);
    placeSunInBodyFrames(jupiter, 0.0f);
    for (float c : jupiter->lightPosition) EXPECT_EQ(c, 0.0f);
    jupiter->next = after;
}

}  // namespace
