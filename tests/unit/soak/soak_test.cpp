// The soak: the saver's frame loop for a long run, natively under the address and undefined-behaviour
// sanitizers, with a GL table that keeps only the matrices. It flies the tour first, then random manual
// flight driven through the input rules (flight keys, P, buttons, cursor moves), and checks that no
// memory grows, the level-of-detail trees stay in reachable states, every angle stays in range and the
// lit side of each planet still faces the Sun.
//
// The run has ORBITARIUM_SOAK_TICKS passes of one frame and one tick each: 20,000 by default, sized for
// every test run; the full soak is ORBITARIUM_SOAK_TICKS=200000.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <random>

#include "geometry/lod_test_support.h"
#include "gl/gl_api.h"
#include "gl/glu.h"
#include "platform_override.h"
#include "render/frame_render.h"
#include "render/scene_setup.h"
#include "saver/saver_input.h"
#include "saver/saver_mode.h"
#include "saver/startup.h"
#include "scene/flight_input.h"
#include "scene/scene.h"
#include "scene/update_tick.h"
#include "settings/saver_settings.h"
#include "support/matrix_only_gl.h"
#include "support/release_scene.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#define SOAK_COUNTS_HEAP 1
#endif

namespace {

constexpr int SCREEN_WIDTH = 1024, SCREEN_HEIGHT = 768;
constexpr uint32_t TICK_MS = 21;          // the frame loop's shortest tick interval
constexpr int LOD_CHECK_EVERY = 500;      // frames between full tree checks
constexpr int LIGHT_CHECK_EVERY = 10;     // frames between lit-side checks
constexpr int HEAP_CHECK_EVERY = 100;     // frames between heap checks
constexpr float HOME_RADIUS = 6000.0f;    // beyond this the flyer goes back to the tour

int64_t soakTicks() {
    const char* text = std::getenv("ORBITARIUM_SOAK_TICKS");
    const long long ticks = text ? std::atoll(text) : 0;
    return ticks > 0 ? ticks : 20000;
}

// The platform: a clock that the loop advances, and a cursor that the test moves.
uint32_t clockMs = 0;
CursorPoint cursor;
uint32_t fakeTicks() { return clockMs; }
bool fakeCursor(int32_t* x, int32_t* y) {
    *x = cursor.x;
    *y = cursor.y;
    return true;
}

// The window system: closes are counted and handed to the close rule on the next pass, as the frame
// loop dispatches them; every password is refused, so the saver goes on.
struct WindowCounts {
    int closes = 0, quits = 0, passwordChecks = 0;
    bool closePending = false;
} windowCounts;
void postClose(void*) {
    ++windowCounts.closes;
    windowCounts.closePending = true;
}
void postQuit(void*) { ++windowCounts.quits; }
void refreshCursor(void*) {}
int refusePassword(void*) {
    ++windowCounts.passwordChecks;
    return 0;
}

// What each frame drew: the camera alone (the modelview when the Sun's texture is bound, before any
// body turn) and, per body drawn, its modelview at glBegin and the frame it was drawn in.
int boundTexture = -1;
int64_t frameNumber = 0;
float viewMatrix[16];
float bodyMatrix[BODY_COUNT][16];
int64_t bodyDrawnIn[BODY_COUNT];
void(ORB_GLAPI* keepBind)(GLenum, GLuint);
void(ORB_GLAPI* keepBegin)(GLenum);
void ORB_GLAPI recordBind(GLenum target, GLuint texture) {
    boundTexture = static_cast<int>(texture);
    if (texture == SUN_INDEX) glGetFloatv(GL_MODELVIEW_MATRIX, viewMatrix);
    keepBind(target, texture);
}
void ORB_GLAPI recordBegin(GLenum mode) {
    if (mode == GL_TRIANGLES && boundTexture >= 0 && boundTexture < BODY_COUNT) {
        glGetFloatv(GL_MODELVIEW_MATRIX, bodyMatrix[boundTexture]);
        bodyDrawnIn[boundTexture] = frameNumber;
    }
    keepBegin(mode);
}

void transform(const float m[16], const float p[3], double out[3]) {
    for (int r = 0; r < 3; ++r) out[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
}

bool anglesInRange() {
    for (float angle : scene.orbitAngle)
        if (!(angle >= 0.0f && angle <= 360.0f)) return false;
    return scene.spinAngle >= 0.0f && scene.spinAngle <= 360.0f && scene.glowAngle >= 0 && scene.glowAngle <= 359 &&
           (scene.pathPosition == 0 || (scene.pathPosition >= 1 && scene.pathPosition <= PATH_LAST));
}

std::size_t liveHeapBytes() {
#ifdef SOAK_COUNTS_HEAP
    return __sanitizer_get_current_allocated_bytes();
#else
    return 0;
#endif
}

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        platform.tickCount = fakeTicks;
        platform.cursorPosition = fakeCursor;
        savedGl_ = glApi;
        savedGlu_ = gluApi;
        installMatrixOnlyGl();
        keepBind = glApi.glBindTexture;
        keepBegin = glApi.glBegin;
        glApi.glBindTexture = recordBind;
        glApi.glBegin = recordBegin;
        std::fill(std::begin(bodyDrawnIn), std::end(bodyDrawnIn), -1);
        frameNumber = 0;

        saverSettings = SaverSettings{};
        saverSettings.ScrWidth = SCREEN_WIDTH;
        saverSettings.ScrHeight = SCREEN_HEIGHT;
        flightInput = FlightInput{};
        setMouseScales(flightInput, saverSettings.ScrWidth, saverSettings.ScrHeight);
        saverWindowCalls = {postClose, postQuit, refreshCursor, refusePassword};
        windowCounts = WindowCounts{};
        saverMode = SaverMode::Run;
        exitRulesArmed = true;  // as in the frame loop
        saverState = SaverState{};
        largeMoveCount = 0;
        clockMs = 1000;
        cursor = {SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2};
        onWindowCreated(reinterpret_cast<void*>(0x5A7E));

        scene = Scene{};
        setUpScene();
    }
    void TearDown() override {
        releaseScene();
        scene = Scene{};
        glApi = savedGl_;
        gluApi = savedGlu_;
        saverMode = SaverMode::None;
        exitRulesArmed = false;
        saverState = SaverState{};
        saverSettings = SaverSettings{};
        flightInput = FlightInput{};
        saverWindowCalls = SaverWindowCalls{};
        largeMoveCount = 0;
    }

    // One pass of the frame loop: the message (a pending close), the frame, the tick.
    void pass() {
        if (windowCounts.closePending) {
            windowCounts.closePending = false;
            onClose();
        }
        ++frameNumber;
        drawFrame();
        clockMs += TICK_MS;
        updateTick();
    }

    // Every corner cell a body can hold is in use once all its nodes but the root are collapsed: far
    // away, collapses climb to the root's children. Going there once before the run fills each body's
    // store with all the cells it will ever need, so from then on the heap must not grow at all.
    void collapseEverythingOnce() {
        const Scene camera = scene;
        const float far[3] = {0.0f, 1.0e6f, 1.0e6f};
        for (int k = 0; k < 3; ++k) {
            scene.eye[k] = far[k];
            scene.target[k] = 0.0f;
        }
        // The saver's far plane (40,000 units) would leave the bodies out of view there: this once, a
        // frustum that reaches them.
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glFrustum(-1.0, 1.0, -0.75, 0.75, 1.0, 1.0e7);
        glMatrixMode(GL_MODELVIEW);
        for (int frame = 0; frame < 64; ++frame) drawFrame();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        for (CelestialBody* body = scene.bodies; body; body = body->next) {
            for (LodNode* child : body->mesh.lodRoot->children) {
                if (!child) break;
                ASSERT_TRUE(child->collapsed) << "body " << body->index << " not wholly collapsed from far away";
            }
            mostCornerSaves_[body->index] = body->mesh.store->cornerSavesInUse();
        }
        std::copy(camera.eye, camera.eye + 3, scene.eye);
        std::copy(camera.target, camera.target + 3, scene.target);
        std::copy(camera.up, camera.up + 3, scene.up);
    }

    // Cells in use never pass the wholly collapsed count; their changes measure the detail work done.
    void checkCornerCells() {
        for (CelestialBody* body = scene.bodies; body; body = body->next) {
            const std::size_t inUse = body->mesh.store->cornerSavesInUse();
            ASSERT_LE(inUse, mostCornerSaves_[body->index]) << "body " << body->index;
            const std::size_t before = cornerSaves_[body->index];
            cornerCellsMoved_ += inUse > before ? inUse - before : before - inUse;
            cornerSaves_[body->index] = inUse;
        }
    }

    void checkTrees() {
        for (CelestialBody* body = scene.bodies; body; body = body->next) {
            SCOPED_TRACE(::testing::Message() << "body " << body->index << ", frame " << frameNumber);
            lod_test::expectConsistent(*body);
        }
    }

    // The brightest vertex drawn for each planet and the Moon this frame lies towards the Sun from the
    // body's centre, both as drawn (after the orbit and the spin).
    void checkLitSides() {
        double sun[3];
        const float origin[3] = {0.0f, 0.0f, 0.0f};
        transform(viewMatrix, origin, sun);
        for (CelestialBody* body = scene.bodies; body; body = body->next) {
            const int i = body->index;
            if (i == SUN_INDEX || i == RING_INDEX || bodyDrawnIn[i] != frameNumber) continue;
            const MeshVertex* brightest = nullptr;
            float most = -1.0f, least = 1e9f;
            for (int32_t t = 0; t < body->mesh.triangleCount; ++t) {
                const MeshTriangle& triangle = body->mesh.triangles[t];
                if (!triangle.visible) continue;
                for (const MeshVertex* v : triangle.corners) {
                    const float light = v->colour[0] + v->colour[1] + v->colour[2];
                    least = std::min(least, light);
                    if (light > most) {
                        most = light;
                        brightest = v;
                    }
                }
            }
            ASSERT_NE(brightest, nullptr) << "body " << i << " drawn with nothing visible";
            // Every drawn corner has the light of its drawn place: its lit amount (colour over base
            // colour) is the one its position and normal as drawn give with the Sun where it is drawn.
            for (int32_t t = 0; t < body->mesh.triangleCount; ++t) {
                const MeshTriangle& triangle = body->mesh.triangles[t];
                if (!triangle.visible) continue;
                for (const MeshVertex* v : triangle.corners) {
                    double p[3], n[3];
                    transform(bodyMatrix[i], v->position, p);
                    const float* m = bodyMatrix[i];
                    for (int r = 0; r < 3; ++r) n[r] = m[r] * v->normal[0] + m[4 + r] * v->normal[1] + m[8 + r] * v->normal[2];
                    const double d[3] = {p[0] - sun[0], p[1] - sun[1], p[2] - sun[2]};
                    const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
                    const double expected = std::max(0.3, (n[0] * d[0] + n[1] * d[1] + n[2] * d[2]) / length + 0.3);
                    const double lit = v->colour[1] / body->baseColour[1];
                    worstLitError_ = std::max(worstLitError_, std::fabs(lit - expected));
                    ASSERT_NEAR(lit, expected, 0.01) << "body " << i << ", frame " << frameNumber;
                }
            }
            ASSERT_GT(most, least * 1.5f) << "body " << i << " evenly lit";
            double centre[3], bright[3];
            transform(bodyMatrix[i], body->position, centre);
            transform(bodyMatrix[i], brightest->position, bright);
            double dot = 0, out = 0, toSun = 0;
            for (int k = 0; k < 3; ++k) {
                dot += (bright[k] - centre[k]) * (sun[k] - centre[k]);
                out += (bright[k] - centre[k]) * (bright[k] - centre[k]);
                toSun += (sun[k] - centre[k]) * (sun[k] - centre[k]);
            }
            const double cosine = dot / std::sqrt(out * toSun);
            worstLitCosine_ = std::min(worstLitCosine_, cosine);
            ++litChecks_;
            ASSERT_GT(cosine, 0.0) << "body " << i << ": brightest vertex on the far side, frame " << frameNumber;
        }
    }

    // Random input of a viewer in manual flight: cursor moves (now and then a jump across the
    // screen), flight keys pressed and released (the fast ones, 0 and T, seldom), buttons pressed and
    // released, and P now and then. Far out, the viewer presses P to take the tour home.
    void randomInput(std::mt19937& rng) {
        static constexpr uint32_t KEYS[] = {KEY_1, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, KEY_9,
                                            KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
        static constexpr uint32_t FAST_KEYS[] = {KEY_0, KEY_T};
        const auto roll = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        if (roll(300) == 0) {
            cursor = {roll(SCREEN_WIDTH), roll(SCREEN_HEIGHT)};
            onMouseMove();
        } else if (roll(3) == 0) {
            cursor.x = std::clamp(cursor.x + roll(61) - 30, 0, SCREEN_WIDTH - 1);
            cursor.y = std::clamp(cursor.y + roll(61) - 30, 0, SCREEN_HEIGHT - 1);
            onMouseMove();
        }
        const int keys = static_cast<int>(std::size(KEYS));
        if (roll(30) == 0) onKeyDown(KEYS[roll(keys)]);
        if (roll(500) == 0) onKeyDown(FAST_KEYS[roll(2)]);
        if (roll(30) == 0) onKeyUp(KEYS[roll(keys)]);
        if (roll(40) == 0) onButtonDown(1 + roll(3));
        if (roll(60) == 0) onButtonUp();
        const float distance = std::hypot(scene.eye[0], scene.eye[1], scene.eye[2]);
        if (saverSettings.AutoPilot ? roll(600) == 0 : roll(3000) == 0 || !(distance < HOME_RADIUS)) {
            if (!saverSettings.AutoPilot) ++homings_;
            onKeyDown(KEY_P);
        }
    }

    std::size_t mostCornerSaves_[BODY_COUNT] = {};
    std::size_t cornerSaves_[BODY_COUNT] = {};
    std::size_t cornerCellsMoved_ = 0;
    double worstLitCosine_ = 1.0;
    double worstLitError_ = 0.0;
    int64_t litChecks_ = 0;
    int64_t homings_ = 0;
    ScopedPlatform savedPlatform_;
    GlApi savedGl_;
    GluApi savedGlu_;
};

TEST_F(Soak, TourThenRandomManualFlight) {
    const int64_t ticks = soakTicks();
    // A quarter of the run on the tour: at the default size that is once round it (4625 ticks at the
    // default camera speed) and a little more.
    const int64_t tourTicks = ticks / 4;
    const auto started = std::chrono::steady_clock::now();

    collapseEverythingOnce();
    if (HasFatalFailure()) return;
    for (int frame = 0; frame < 64; ++frame) drawFrame();  // back to the tour's start
    checkTrees();  // also sizes the test's own bookkeeping before the heap is measured
    for (CelestialBody* body = scene.bodies; body; body = body->next)
        cornerSaves_[body->index] = body->mesh.store->cornerSavesInUse();
    const std::size_t heap = liveHeapBytes();

    std::mt19937 rng(20240601);
    int64_t manualTicks = 0;
    double shortestView = 1e30, longestView = 0;
    for (int64_t tick = 0; tick < ticks; ++tick) {
        if (tick >= tourTicks) randomInput(rng);
        pass();
        if (!saverSettings.AutoPilot) ++manualTicks;

        ASSERT_TRUE(anglesInRange()) << "tick " << tick << ": orbit, spin, glow or tour position out of range";
        const double view = std::hypot(scene.target[0] - scene.eye[0], scene.target[1] - scene.eye[1],
                                       scene.target[2] - scene.eye[2]);
        ASSERT_TRUE(std::isfinite(view) && view > 0) << "tick " << tick << ": the camera has no direction";
        shortestView = std::min(shortestView, view);
        longestView = std::max(longestView, view);
        checkCornerCells();
        if (frameNumber % LIGHT_CHECK_EVERY == 0) checkLitSides();
        if (frameNumber % LOD_CHECK_EVERY == 0) checkTrees();
        if (frameNumber % HEAP_CHECK_EVERY == 0) {
            ASSERT_EQ(liveHeapBytes(), heap) << "the heap changed by tick " << tick;
        }
        if (HasFatalFailure()) return;
    }
    checkTrees();

    // The saver never quit: every close it asked for went through a refused password.
    EXPECT_EQ(windowCounts.quits, 0);
    EXPECT_EQ(windowCounts.passwordChecks, windowCounts.closes - (windowCounts.closePending ? 1 : 0));
    EXPECT_EQ(saverState.checkingPassword, 0);
    // The run did what it is for: long manual flight, planets lit in view, detail changing.
    EXPECT_GT(manualTicks, (ticks - tourTicks) / 2);
    EXPECT_GT(litChecks_, ticks / LIGHT_CHECK_EVERY);
    EXPECT_GT(cornerCellsMoved_, static_cast<std::size_t>(ticks));

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("soak: %lld passes in %.1f s: %lld on the tour, then %lld ticks of manual flight and %lld returns "
                "to the tour; %d closes asked for, each refused by the password; %lld lit-side checks, worst "
                "cosine %.3f, worst lit amount off by %.4f; %zu corner cells pushed or popped; view vector %.3f .. %.3f long; heap %s\n",
                static_cast<long long>(ticks), seconds, static_cast<long long>(tourTicks),
                static_cast<long long>(manualTicks), static_cast<long long>(homings_), windowCounts.closes,
                static_cast<long long>(litChecks_), worstLitCosine_, worstLitError_, cornerCellsMoved_, shortestView, longestView,
                heap ? "unchanged" : "not counted in this build");
}

}  // namespace
