// Scene set-up with a recording GL table: the projection, the random orbit layout, the order of the
// textures, the loading swap and the bodies, the GL state left for the frames, and the orbit steps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <vector>

#include "geometry/celestial_body.h"
#include "gl/recording_gl.h"
#include "gl/window_system.h"
#include "render/scene_setup.h"
#include "scene/random.h"
#include "scene/scene.h"
#include "render/scene_setup.h"
#include "settings/saver_settings.h"
#include "support/release_scene.h"

namespace {

using recording_gl::Call;

uint32_t ticks = 0;
uint32_t fakeTickCount() { return ticks; }

// Every texture resource exists, large enough for the biggest picture.
std::vector<unsigned char> pictureBytes(512 * 512 * 3, 0x80);
std::vector<int> resourcesAsked;
ResourceBytes fakeResource(int id) {
    resourcesAsked.push_back(id);
    return {pictureBytes.data(), pictureBytes.size()};
}

class SceneSetUp : public ::testing::Test {
protected:
    void SetUp() override {
        savedSettings_ = saverSettings;
        savedScene_ = scene;
        std::memset(&scene, 0, sizeof scene);
        savedDeviceContext_ = sharedDeviceContext;
        sharedDeviceContext = reinterpret_cast<void*>(0xDC);
        platform.tickCount = &fakeTickCount;
        platform.textureResource = &fakeResource;
    }
    void TearDown() override {
        release();
        saverSettings = savedSettings_;
        scene = savedScene_;
        sharedDeviceContext = savedDeviceContext_;
    }
    void run(float width, float height, uint32_t tickCount) {
        release();
        saverSettings = SaverSettings{};
        saverSettings.ScrWidth = width;
        saverSettings.ScrHeight = height;
        ticks = tickCount;
        recording_gl::calls.clear();
        resourcesAsked.clear();
        setUpScene();
    }
    // Everything but the scene record itself is put back to nothing, as before the first run.
    void release() {
        releaseScene();
        std::memset(&scene, 0, sizeof scene);
    }

    recording_gl::ScopedRecordingGl gl;  // also restores the platform table

private:
    SaverSettings savedSettings_;
    Scene savedScene_;
    void* savedDeviceContext_;
};

// Index of the last recorded call with this name, or -1.
int lastIndex(const char* name) {
    const std::vector<Call>& calls = recording_gl::calls;
    for (int i = static_cast<int>(calls.size()) - 1; i >= 0; --i)
        if (calls[i].name == name) return i;
    return -1;
}

TEST_F(SceneSetUp, ProjectionsFollowTheScreen) {
    struct Case {
        float width, height;
        double halfWidth;
        int pixelsWide, pixelsHigh;
    };
    for (const Case& c : {Case{640, 480, 1.0, 640, 480}, Case{1280, 1024, 0.9375, 1280, 1024},
                          Case{1920, 1080, 4.0 / 3.0, 1920, 1080},
                          Case{800.75f, 600.5f, 1.000104079933389, 800, 600}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        run(c.width, c.height, 0);
        const std::vector<Call>& calls = recording_gl::calls;

        // The loading picture's pixel projection and the viewport, in whole pixels.
        const std::vector<Call> ortho = recording_gl::only({"glOrtho"});
        ASSERT_FALSE(ortho.empty());
        EXPECT_EQ(ortho.front().args, (std::vector<double>{0, c.width, 0, c.height, -1, 1}));
        EXPECT_EQ(recording_gl::only({"glViewport"}),
                  (std::vector<Call>{{"glViewport", {0, 0, double(c.pixelsWide), double(c.pixelsHigh)}}}));

        // The perspective, loaded onto a fresh projection matrix, then the modelview made current.
        const int f = lastIndex("glFrustum");
        ASSERT_GE(f, 2);
        ASSERT_LT(f + 2, static_cast<int>(calls.size()));
        const std::vector<double>& frustum = calls[f].args;
        ASSERT_EQ(frustum.size(), 6u);
        EXPECT_DOUBLE_EQ(frustum[0], -c.halfWidth);
        EXPECT_DOUBLE_EQ(frustum[1], c.halfWidth);
        EXPECT_EQ(std::vector<double>(frustum.begin() + 2, frustum.end()),
                  (std::vector<double>{-0.75, 0.75, 1.0, 40000.0}));
        EXPECT_EQ(calls[f - 2].name, "glMatrixMode");
        EXPECT_EQ(calls[f - 2].args, std::vector<double>{GL_PROJECTION});
        EXPECT_EQ(calls[f - 1].name, "glLoadIdentity");
        EXPECT_EQ(calls[f + 1].name, "glMatrixMode");
        EXPECT_EQ(calls[f + 1].args, std::vector<double>{GL_MODELVIEW});
        EXPECT_EQ(calls[f + 2].name, "glLoadIdentity");
        EXPECT_EQ(lastIndex("glMatrixMode"), f + 1);
    }
}

TEST_F(SceneSetUp, OrbitAnglesAreWholeDegreesSeededByTheTicksLowByte) {
    run(640, 480, 0x12345634u);
    float first[BODY_COUNT];
    std::memcpy(first, scene.orbitAngle, sizeof first);
    for (int i = 0; i < BODY_COUNT; ++i) {
        EXPECT_GE(first[i], 0.0f) << i;
        EXPECT_LE(first[i], 359.0f) << i;
        EXPECT_EQ(first[i], std::floor(first[i])) << i;
    }
    // The Moon and the ring share their planet's angle and so stay with it.
    EXPECT_EQ(first[MOON_INDEX], first[EARTH_INDEX]);
    EXPECT_EQ(first[RING_INDEX], first[SATURN_INDEX]);
    // One draw per body in list order from a generator seeded with the low byte only.
    seedRandom(0x34);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(first[i], static_cast<float>(nextRandom() % 360)) << i;

    run(640, 480, 0x34u);
    EXPECT_EQ(std::memcmp(first, scene.orbitAngle, sizeof first), 0);
    run(640, 480, 0x35u);
    EXPECT_NE(std::memcmp(first, scene.orbitAngle, sizeof first), 0);
}

TEST_F(SceneSetUp, LoadingPictureShownBeforeTheBodiesAreBuilt) {
    run(1024, 768, 7);
    // Glow twice, loading picture, then the twelve bodies' own pictures in list order.
    EXPECT_EQ(resourcesAsked,
              (std::vector<int>{228, 228, 157, 236, 232, 227, 238, 231, 230, 235, 237, 234, 239, 233, 240}));
    // Each upload as the texture bound for it and its size; the swap as {-1}.
    std::vector<std::vector<double>> seen;
    double bound = -1;
    for (const Call& call : recording_gl::only({"glBindTexture", "glTexImage2D", "SwapBuffers"})) {
        if (call.name == "glBindTexture") bound = call.args[1];
        if (call.name == "glTexImage2D") seen.push_back({bound, call.args[3], call.args[4]});
        if (call.name == "SwapBuffers") {
            EXPECT_EQ(call.args, std::vector<double>{double(0xDC)});
            seen.push_back({-1});
        }
    }
    const std::vector<std::vector<double>> expected = {
        {13, 256, 256}, {14, 256, 256}, {15, 256, 256}, {-1},          {0, 512, 512},
        {1, 512, 512},  {2, 512, 512},  {3, 512, 512},  {4, 512, 512}, {5, 512, 512},
        {6, 512, 512},  {7, 256, 256},  {8, 256, 256},  {9, 256, 256}, {10, 256, 256},
        {11, 256, 256}};
    EXPECT_EQ(seen, expected);

    // Something is drawn for that swap to show: the loading picture, with its own texture.
    bound = -1;
    bool loadingDrawn = false;
    for (const Call& call : recording_gl::only({"glBindTexture", "glBegin", "SwapBuffers"})) {
        if (call.name == "SwapBuffers") break;
        if (call.name == "glBindTexture") bound = call.args[1];
        if (call.name == "glBegin") loadingDrawn = loadingDrawn || bound == 15;
    }
    EXPECT_TRUE(loadingDrawn);
}

TEST_F(SceneSetUp, LeavesTheStateTheFramesRelyOn) {
    run(1024, 768, 7);
    std::map<double, bool> enabled;
    for (const Call& call : recording_gl::only({"glEnable", "glDisable"}))
        enabled[call.args[0]] = call.name == "glEnable";
    EXPECT_TRUE(enabled[GL_BLEND]);
    EXPECT_TRUE(enabled[GL_CULL_FACE]);
    EXPECT_TRUE(enabled[GL_DEPTH_TEST]);
    EXPECT_FALSE(enabled[GL_TEXTURE_2D]);
    EXPECT_EQ(recording_gl::calls[lastIndex("glBlendFunc")].args,
              (std::vector<double>{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
    EXPECT_EQ(recording_gl::calls[lastIndex("glCullFace")].args, std::vector<double>{GL_FRONT});

    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(scene.eye[k], INITIAL_EYE[k]);
        EXPECT_EQ(scene.target[k], INITIAL_TARGET[k]);
        EXPECT_EQ(scene.up[k], k == 1 ? 1.0f : 0.0f);
    }
    float steps[BODY_COUNT][PLANET_SPEED_LEVELS];
    fillOrbitSteps(steps);
    EXPECT_EQ(std::memcmp(steps, scene.orbitStep, sizeof steps), 0);

    // First colouring: the Sun and the ring flat white at their alpha, the others lit from the Sun.
    int count = 0;
    for (const CelestialBody* body = scene.bodies; body; body = body->next, ++count) {
        SCOPED_TRACE(body->index);
        float least = 2.0f, most = 0.0f;
        for (int v = 0; v < body->mesh.vertexCount; ++v) {
            const float* colour = body->mesh.vertices[v].colour;
            least = std::fmin(least, colour[0]);
            most = std::fmax(most, colour[0]);
            ASSERT_EQ(colour[3], body->index == RING_INDEX ? 0.6f : 1.0f);
        }
        if (body->index == SUN_INDEX || body->index == RING_INDEX) {
            EXPECT_EQ(least, 1.0f);
            EXPECT_EQ(most, 1.0f);
        } else {
            EXPECT_LT(least, 0.5f);  // the far side
            EXPECT_GT(most, 1.0f);   // the side facing the Sun
        }
    }
    EXPECT_EQ(count, BODY_COUNT);
}

TEST(OrbitSteps, FloatFactorTimesDoubleLevelRoundedToFloat) {
    const float factors[BODY_COUNT] = {1.4f, 1.3f, 1.2f, 1.1f, 1.0f, 0.9f, 0.8f, 0.7f, 0.6f, 0.5f, 1.1f, 0.8f};
    const double levels[PLANET_SPEED_LEVELS] = {0.0, 0.05, 0.1, 0.2, 0.3, 0.4};
    float steps[BODY_COUNT][PLANET_SPEED_LEVELS];
    std::memset(steps, 0xFF, sizeof steps);
    fillOrbitSteps(steps);
    for (int body = 0; body < BODY_COUNT; ++body)
        for (int level = 0; level < PLANET_SPEED_LEVELS; ++level)
            EXPECT_EQ(steps[body][level], static_cast<float>(factors[body] * levels[level]))
                << "body " << body << " level " << level;

    // A few by hand, to within one float step of the decimals.
    EXPECT_EQ(steps[SUN_INDEX][0], 0.0f);
    EXPECT_NEAR(steps[SUN_INDEX][5], 0.56f, 0.56f * 1.2e-7f);
    EXPECT_NEAR(steps[EARTH_INDEX][1], 0.055f, 0.055f * 1.2e-7f);
    EXPECT_EQ(steps[4][3], 0.2f);  // Mars: factor 1
    EXPECT_NEAR(steps[9][2], 0.05f, 0.05f * 1.2e-7f);
    for (int level = 0; level < PLANET_SPEED_LEVELS; ++level) {
        EXPECT_EQ(steps[MOON_INDEX][level], steps[EARTH_INDEX][level]);
        EXPECT_EQ(steps[RING_INDEX][level], steps[SATURN_INDEX][level]);
    }
}

}  // namespace
