// Frame and tick figures for the whole scene at 1024 x 768:
//   SaverFrame      drawFrame on Mesa's llvmpipe (offscreen), glFinish after each: frames per second;
//   DriverLimit/1   the same visible triangles, sky and glow in immediate mode with no view test,
//                   detail step or lighting: the most this driver can draw;
//   DriverLimit/0   the same without the sky and the glow: what those two cost;
//   FrameCpu        drawFrame with a GL table that only keeps the matrices: the saver's own CPU per frame;
//   UpdateTick      one update tick of the whole scene (orbits, spin, normals, tour).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "gl/gl_api.h"
#include "gl/glu.h"
#include "render/frame_render.h"
#include "render/scene_setup.h"
#include "render/special_passes.h"
#include "scene/scene.h"
#include "scene/update_tick.h"
#include "settings/saver_settings.h"
#include "support/matrix_only_gl.h"
#include "support/offscreen_context.h"

namespace {

constexpr int WIDTH = 1024;
constexpr int HEIGHT = 768;

OffscreenContext* context = nullptr;

// One real context and scene for the whole run; the tour's first point is the camera.
bool realScene() {
    if (context) return true;
    context = new OffscreenContext;
    if (!context->create(WIDTH, HEIGHT)) return false;
    saverSettings.ScrWidth = WIDTH;
    saverSettings.ScrHeight = HEIGHT;
    setUpScene();
    return true;
}

void SaverFrame(benchmark::State& state) {
    if (!realScene()) return state.SkipWithError(context->error().c_str());
    for (auto _ : state) {
        drawFrame();
        glFinish();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Argument: 1 draws the sky and the Sun's glow as the saver does, 0 the bodies alone.
void DriverLimit(benchmark::State& state) {
    if (!realScene()) return state.SkipWithError(context->error().c_str());
    const bool skyAndGlow = state.range(0) != 0;
    drawFrame();  // leaves every body's detail as the saver draws it from this camera
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluApi.gluLookAt(scene.eye[0], scene.eye[1], scene.eye[2], scene.target[0], scene.target[1],
                         scene.target[2], 0, 1, 0);
        if (skyAndGlow) glCallList(scene.stars->listId);
        glEnable(GL_TEXTURE_2D);
        for (CelestialBody* body = scene.bodies; body; body = body->next) {
            glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(body->index));
            glPushMatrix();
            glRotatef(scene.orbitAngle[body->index], 0, 1, 0);
            glBegin(GL_TRIANGLES);
            for (int32_t t = 0; t < body->mesh.triangleCount; ++t) {
                const MeshTriangle& triangle = body->mesh.triangles[t];
                if (!triangle.visible) continue;
                for (int k = 0; k < 3; ++k) {
                    glTexCoord2fv(triangle.texCoords[k]);
                    glColor4fv(triangle.corners[k]->colour);
                    glVertex3fv(triangle.corners[k]->position);
                }
            }
            glEnd();
            glPopMatrix();
            if (skyAndGlow && body->index == SUN_INDEX) drawSunGlow();
        }
        glDisable(GL_TEXTURE_2D);
        glFinish();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}


void FrameCpu(benchmark::State& state) {
    if (!realScene()) return state.SkipWithError(context->error().c_str());
    const GlApi real = glApi;
    const GluApi realGlu = gluApi;
    installMatrixOnlyGl();
    glMatrixMode(GL_PROJECTION);
    glFrustum(-1.0, 1.0, -0.75, 0.75, 1.0, 40000.0);
    glMatrixMode(GL_MODELVIEW);
    for (auto _ : state) drawFrame();
    glApi = real;
    gluApi = realGlu;
}

void UpdateTick(benchmark::State& state) {
    if (!realScene()) return state.SkipWithError(context->error().c_str());
    for (auto _ : state) updateTick();
    state.counters["ticks/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(SaverFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(DriverLimit)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(FrameCpu)->Unit(benchmark::kMicrosecond);
BENCHMARK(UpdateTick)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
