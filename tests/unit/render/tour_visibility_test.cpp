// The autopilot's whole tour, flown tick by tick with the frame render's own transforms: no body that
// has any vertex on screen is ever skipped by the whole-body view test.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/view_tests.h"
#include "gl/gl_api.h"
#include "gl/glu.h"
#include "render/frame_render.h"
#include "render/scene_setup.h"
#include "scene/flight_input.h"
#include "scene/scene.h"
#include "scene/update_tick.h"
#include "settings/saver_settings.h"
#include "support/matrix_only_gl.h"
#include "support/release_scene.h"

namespace {

bool anyVertexInView(const CelestialBody& body) {
    float modelview[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (int32_t i = 0; i < body.mesh.vertexCount; ++i) {
        const float* v = body.mesh.vertices[i].position;
        float clip[4] = {v[0], v[1], v[2], 1.0f};
        transformPoint(clip, modelview);
        transformPoint(clip, projection);
        const float w = clip[3];
        if (std::fabs(clip[0]) <= w && std::fabs(clip[1]) <= w && std::fabs(clip[2]) <= w) return true;
    }
    return false;
}

TEST(TourVisibility, NoBodyOnScreenIsEverSkipped) {
    const GlApi savedGl = glApi;
    const GluApi savedGlu = gluApi;
    installMatrixOnlyGl();
    scene = Scene{};
    saverSettings = SaverSettings{};
    saverSettings.ScrWidth = 1024;
    saverSettings.ScrHeight = 768;
    saverSettings.CameraSpeed = 5;  // the tour in 3,700 ticks
    flightInput = FlightInput{};
    setUpScene();

    int onScreen = 0, skippedOnScreen = 0, skipped = 0;
    int ticks = 0;
    do {
        updateTick();
        ++ticks;
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluApi.gluLookAt(scene.eye[0], scene.eye[1], scene.eye[2], scene.target[0], scene.target[1],
                         scene.target[2], scene.up[0], scene.up[1], scene.up[2]);
        for (CelestialBody* body = scene.bodies; body; body = body->next) {
            glPushMatrix();
            turnBodyAsDrawn(body);
            const bool off = bodyOffScreen(body) != 0;
            const bool visible = anyVertexInView(*body);
            onScreen += visible;
            skipped += off;
            if (off && visible) {
                ++skippedOnScreen;
                ADD_FAILURE() << "body " << body->index << " skipped while on screen at tour position "
                              << scene.pathPosition;
            }
            glPopMatrix();
        }
    } while (scene.pathPosition != 1 && ticks < 5000);

    EXPECT_EQ(scene.pathPosition, 1) << "the tour came round";
    EXPECT_EQ(skippedOnScreen, 0);
    EXPECT_GT(onScreen, ticks);  // the tour shows bodies
    EXPECT_GT(skipped, ticks);   // and the test still skips those out of view

    releaseScene();
    scene = Scene{};
    saverSettings = SaverSettings{};
    glApi = savedGl;
    gluApi = savedGlu;
}

}  // namespace
