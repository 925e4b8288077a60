// Body geometry figures: building the twelve bodies, and one frame's view test, level-of-detail step
// and lighting for all of them at the initial camera and at a range of distances from the Sun.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "geometry/celestial_body.h"
#include "geometry/lod_tree.h"
#include "geometry/vertex_colours.h"
#include "geometry/view_tests.h"
#include "gl/gl_api.h"
#include "scene/random.h"

// Heap allocations, counted to show that steady frames do not allocate.
static std::atomic<long> heapAllocations{0};
void* operator new(std::size_t size) {
    ++heapAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"  // both sides of the replacement use malloc
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

// Column-major 4 x 4 matrices, as OpenGL returns them.
struct Matrix {
    float m[16];
};

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int c = 0; c < 4; ++c) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a.m[4 * k + row] * b.m[4 * c + k];
            r.m[4 * c + row] = sum;
        }
    }
    return r;
}

Matrix lookAt(const float eye[3], const float target[3]) {
    float f[3] = {target[0] - eye[0], target[1] - eye[1], target[2] - eye[2]};
    const float fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (float& v : f) v /= fl;
    float s[3] = {-f[2], 0, f[0]};  // f x (0, 1, 0)
    const float sl = std::sqrt(s[0] * s[0] + s[2] * s[2]);
    for (float& v : s) v /= sl;
    const float u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
    const float* rows[3] = {s, u, f};
    Matrix r{};
    for (int row = 0; row < 3; ++row) {
        const float sign = row == 2 ? -1.0f : 1.0f;
        for (int c = 0; c < 3; ++c) r.m[4 * c + row] = sign * rows[row][c];
        r.m[12 + row] = -sign * (rows[row][0] * eye[0] + rows[row][1] * eye[1] + rows[row][2] * eye[2]);
    }
    r.m[15] = 1;
    return r;
}

// The saver's projection on a 4:3 screen: glFrustum(-1, 1, -0.75, 0.75, 1, 40000).
Matrix projection() {
    const float n = 1, f = 40000, r = 1, t = 0.75f;
    Matrix p{};
    p.m[0] = n / r;
    p.m[5] = n / t;
    p.m[10] = -(f + n) / (f - n);
    p.m[11] = -1;
    p.m[14] = -2 * f * n / (f - n);
    return p;
}

// glRotatef(angle, 0, 1, 0).
Matrix turnAboutY(float degrees) {
    const float a = degrees * 0.017453f, c = std::cos(a), s = std::sin(a);
    Matrix r{};
    r.m[0] = c;
    r.m[2] = -s;
    r.m[5] = 1;
    r.m[8] = s;
    r.m[10] = c;
    r.m[15] = 1;
    return r;
}

Matrix currentModelview, currentProjection;

void ORB_GLAPI getFloatv(GLenum name, GLfloat* values) {
    std::memcpy(values, name == GL_PROJECTION_MATRIX ? currentProjection.m : currentModelview.m, 16 * sizeof(float));
}

struct Frame {
    CelestialBody bodies;
    Matrix modelview[BODY_COUNT];
    long trianglesDrawn = 0;
    int bodiesDrawn = 0;

    Frame() { buildBodies(&bodies); }
    ~Frame() { releaseBodies(&bodies); }

    // The camera and the orbit turns (spin 0, so the Moon's swing about the Earth drops out).
    void setCamera(const float eye[3], const float target[3]) {
        seedRandom(0x5a);
        float orbit[BODY_COUNT];
        for (float& angle : orbit) angle = static_cast<float>(nextRandom() % 360);
        orbit[MOON_INDEX] = orbit[EARTH_INDEX];
        orbit[RING_INDEX] = orbit[SATURN_INDEX];
        const Matrix view = lookAt(eye, target);
        for (int i = 0; i < BODY_COUNT; ++i) modelview[i] = multiply(view, turnAboutY(orbit[i]));
        currentProjection = projection();
    }

    // What the frame render runs per body before drawing; returns the heap allocations it made.
    long run() {
        const long before = heapAllocations;
        for (CelestialBody* b = &bodies; b; b = b->next) {
            currentModelview = modelview[b->index];
            if (bodyOffScreen(b)) continue;
            updateLod(b->mesh.lodRoot, b);
            if (b->index != SUN_INDEX && b->index != RING_INDEX) litColours(b->mesh.lodRoot, b);
        }
        return heapAllocations - before;
    }

    // The triangles the render would draw: the visible ones of the bodies on screen.
    void count() {
        trianglesDrawn = 0;
        bodiesDrawn = 0;
        for (CelestialBody* b = &bodies; b; b = b->next) {
            currentModelview = modelview[b->index];
            if (bodyOffScreen(b)) continue;
            ++bodiesDrawn;
            for (int t = 0; t < b->mesh.triangleCount; ++t) trianglesDrawn += b->mesh.triangles[t].visible;
        }
    }
};

void useFakeGl() { glApi.glGetFloatv = &getFloatv; }

void BM_BuildBodies(benchmark::State& state) {
    for (auto _ : state) {
        CelestialBody first;
        buildBodies(&first);
        benchmark::DoNotOptimize(first.next);
        state.PauseTiming();
        releaseBodies(&first);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildBodies)->Unit(benchmark::kMillisecond);

// Distance 0 is the saver's initial camera; otherwise the camera looks at the Sun from that
// distance, from above and to the side.
void BM_Frame(benchmark::State& state) {
    useFakeGl();
    Frame frame;
    const float distance = static_cast<float>(state.range(0));
    if (distance == 0) {
        const float eye[3] = {-224.792f, 432.066f, 949.615f}, target[3] = {-224.635f, 431.627f, 948.73f};
        frame.setCamera(eye, target);
    } else {
        const float length = std::sqrt(0.3f * 0.3f + 0.5f * 0.5f + 1.0f);
        const float eye[3] = {0.3f / length * distance, 0.5f / length * distance, 1.0f / length * distance};
        const float target[3] = {0, 0, 0};
        frame.setCamera(eye, target);
    }
    for (int settle = 0; settle < 40; ++settle) frame.run();  // until the trees stop changing
    long allocations = 0;
    for (auto _ : state) allocations += frame.run();
    frame.count();
    state.counters["visibleTriangles"] = static_cast<double>(frame.trianglesDrawn);
    state.counters["bodiesOnScreen"] = frame.bodiesDrawn;
    state.counters["heapAllocations"] = static_cast<double>(allocations);
}
BENCHMARK(BM_Frame)->Arg(0)->Arg(400)->Arg(2000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMicrosecond);

// A camera swinging between 400 and 30000 units from the Sun over 240 frames: every frame
// collapses or expands somewhere. After the first swing no frame allocates.
void BM_FrameSwinging(benchmark::State& state) {
    useFakeGl();
    Frame frame;
    const float length = std::sqrt(0.3f * 0.3f + 0.5f * 0.5f + 1.0f);
    Matrix cameras[240][BODY_COUNT];
    for (int i = 0; i < 240; ++i) {
        const float phase = 0.5f - 0.5f * std::cos(i * 2 * 3.14159265f / 240);
        const float distance = 400.0f * std::pow(75.0f, phase);
        const float eye[3] = {0.3f / length * distance, 0.5f / length * distance, 1.0f / length * distance};
        const float target[3] = {0, 0, 0};
        frame.setCamera(eye, target);
        std::memcpy(cameras[i], frame.modelview, sizeof frame.modelview);
    }
    int step = 0;
    auto next = [&] {
        std::memcpy(frame.modelview, cameras[step], sizeof frame.modelview);
        step = (step + 1) % 240;
        return frame.run();
    };
    long warmUp = 0;
    for (int i = 0; i < 240; ++i) warmUp += next();
    long allocations = 0;
    for (auto _ : state) allocations += next();
    state.counters["firstSwingAllocations"] = static_cast<double>(warmUp);
    state.counters["heapAllocations"] = static_cast<double>(allocations);
}
BENCHMARK(BM_FrameSwinging)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
