// Frame and tick figures for the whole scene at 1024 x 768:
//   SaverFrame      drawFrame on Mesa's llvmpipe (offscreen), glFinish after each: frames per second;
//   DriverLimit     the same visible triangles in immediate mode with no view test, detail step or
//                   lighting: the most this driver can draw;
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

void DriverLimit(benchmark::State& state) {
    if (!realScene()) return state.SkipWithError(context->error().c_str());
    drawFrame();  // leaves every body's detail as the saver draws it from this camera
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluApi.gluLookAt(scene.eye[0], scene.eye[1], scene.eye[2], scene.target[0], scene.target[1],
                         scene.target[2], 0, 1, 0);
        glCallList(scene.stars->listId);
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
            if (body->index == SUN_INDEX) drawSunGlow();  // the glow's two sprites are part of the picture
        }
        glDisable(GL_TEXTURE_2D);
        glFinish();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// A GL table that does nothing but keep the modelview and projection matrices, so that the view test
// and the detail step see the frame's real transforms.
namespace matrix_only {

struct Matrix {
    double m[16];
};
Matrix identity() { return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }
Matrix times(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k) r.m[4 * c + row] += a.m[4 * k + row] * b.m[4 * c + k];
    return r;
}
std::vector<Matrix> modelview{identity()}, projection{identity()};
bool projectionMode = false;
std::vector<Matrix>& stack() { return projectionMode ? projection : modelview; }
void apply(const Matrix& m) { stack().back() = times(stack().back(), m); }

void ORB_GLAPI matrixMode(GLenum mode) { projectionMode = mode == GL_PROJECTION; }
void ORB_GLAPI loadIdentity() { stack().back() = identity(); }
void ORB_GLAPI pushMatrix() { stack().push_back(stack().back()); }
void ORB_GLAPI popMatrix() { stack().pop_back(); }
void ORB_GLAPI translatef(GLfloat x, GLfloat y, GLfloat z) { apply({{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}}); }
void ORB_GLAPI translated(GLdouble x, GLdouble y, GLdouble z) { apply({{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}}); }
void ORB_GLAPI rotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z) {
    const double l = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    const double a = x / l, b = y / l, c = z / l, t = degrees * M_PI / 180, co = std::cos(t), s = std::sin(t), C = 1 - co;
    apply({{a * a * C + co, b * a * C + c * s, a * c * C - b * s, 0, a * b * C - c * s, b * b * C + co,
            b * c * C + a * s, 0, a * c * C + b * s, b * c * C - a * s, c * c * C + co, 0, 0, 0, 0, 1}});
}
void ORB_GLAPI frustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    apply({{2 * n / (r - l), 0, 0, 0, 0, 2 * n / (t - b), 0, 0, (r + l) / (r - l), (t + b) / (t - b),
            -(f + n) / (f - n), -1, 0, 0, -2 * f * n / (f - n), 0}});
}
void ORB_GLAPI lookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
                      GLdouble uy, GLdouble uz) {
    double f[3] = {cx - ex, cy - ey, cz - ez};
    const double fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (double& v : f) v /= fl;
    double s[3] = {f[1] * uz - f[2] * uy, f[2] * ux - f[0] * uz, f[0] * uy - f[1] * ux};
    const double sl = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
    for (double& v : s) v /= sl;
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
    apply({{s[0], u[0], -f[0], 0, s[1], u[1], -f[1], 0, s[2], u[2], -f[2], 0, 0, 0, 0, 1}});
    translated(-ex, -ey, -ez);
}
void ORB_GLAPI getFloatv(GLenum name, GLfloat* values) {
    const Matrix& m = name == GL_PROJECTION_MATRIX ? projection.back() : modelview.back();
    for (int i = 0; i < 16; ++i) values[i] = static_cast<float>(m.m[i]);
}

}  // namespace matrix_only

void FrameCpu(benchmark::State& state) {
    if (!realScene()) return state.SkipWithError(context->error().c_str());
    const GlApi real = glApi;
    const GluApi realGlu = gluApi;
    // Every entry a do-nothing call of its own type, then the matrix keepers.
#define ORB_GL_NOTHING(name, ret, params, args) glApi.name = [] params -> ret { return static_cast<ret>(0); };
    ORB_GL_CORE_FUNCTIONS(ORB_GL_NOTHING)
#undef ORB_GL_NOTHING
    glApi.glMatrixMode = matrix_only::matrixMode;
    glApi.glLoadIdentity = matrix_only::loadIdentity;
    glApi.glPushMatrix = matrix_only::pushMatrix;
    glApi.glPopMatrix = matrix_only::popMatrix;
    glApi.glTranslatef = matrix_only::translatef;
    glApi.glTranslated = matrix_only::translated;
    glApi.glRotatef = matrix_only::rotatef;
    glApi.glFrustum = matrix_only::frustum;
    glApi.glGetFloatv = matrix_only::getFloatv;
    gluApi.gluLookAt = matrix_only::lookAt;
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
BENCHMARK(DriverLimit)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(FrameCpu)->Unit(benchmark::kMicrosecond);
BENCHMARK(UpdateTick)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
