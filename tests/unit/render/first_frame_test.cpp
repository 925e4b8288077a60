// The saver's own set-up and frame code on a real offscreen OpenGL context (llvmpipe), checked the
// way a person would look at the first frame. The frames are saved as PNG in the build folder.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "gl/gl_api.h"
#include "render/frame_render.h"
#include "scene/scene.h"
#include "render/scene_setup.h"
#include "settings/saver_settings.h"
#include "support/offscreen_context.h"
#include "support/release_scene.h"

namespace {

constexpr int WIDTH = 1024;
constexpr int HEIGHT = 768;

struct Rgb {
    int r, g, b;
    int brightness() const { return r + g + b; }
};

class FirstFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        context = new OffscreenContext;
        if (!context->create(WIDTH, HEIGHT)) return;
        saverSettings = SaverSettings{};
        saverSettings.ScrWidth = WIDTH;
        saverSettings.ScrHeight = HEIGHT;
        setUpScene();
        // A fixed layout, so the test knows where every body stands.
        for (float& angle : scene.orbitAngle) angle = 0.0f;
        scene.spinAngle = 0.0f;
        scene.glowAngle = 0;
        drawFrame();
        pixels = context->readPixels();
        writePng(std::string(ORBITARIUM_TEST_OUTPUT_DIR) + "/first_frame.png", WIDTH, HEIGHT, pixels);
        // The same frame without the sky.
        const GlApi withSky = glApi;
        glApi.glCallList = [](GLuint) {};
        scene.glowAngle = 0;
        drawFrame();
        pixelsWithoutSky = context->readPixels();
        glApi = withSky;
    }
    static void TearDownTestSuite() {
        releaseScene();
        delete context;
        context = nullptr;
    }
    void SetUp() override {
        if (pixels.empty()) GTEST_SKIP() << "no offscreen OpenGL here: " << context->error();
    }

    static double meanBrightness(int cx, int cy) {  // over a 5 x 5 patch
        double sum = 0.0;
        for (int y = cy - 2; y <= cy + 2; ++y)
            for (int x = cx - 2; x <= cx + 2; ++x) sum += at(x, y).brightness();
        return sum / 25.0;
    }
    static Rgb at(int x, int y) {  // y counted from the bottom
        const unsigned char* p = &pixels[(static_cast<size_t>(y) * WIDTH + x) * 3];
        return {p[0], p[1], p[2]};
    }

    // Where a scene point lands on the screen with the first frame's camera and projection.
    static bool project(const float point[3], int* x, int* y) {
        float modelview[16], projection[16];
        drawFrameMatrices(modelview, projection);
        float v[4] = {point[0], point[1], point[2], 1.0f}, e[4] = {}, c[4] = {};
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) e[r] += modelview[k * 4 + r] * v[k];
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) c[r] += projection[k * 4 + r] * e[k];
        if (c[3] <= 0.0f) return false;
        *x = static_cast<int>((c[0] / c[3] * 0.5f + 0.5f) * WIDTH);
        *y = static_cast<int>((c[1] / c[3] * 0.5f + 0.5f) * HEIGHT);
        return *x >= 0 && *x < WIDTH && *y >= 0 && *y < HEIGHT;
    }
    static void drawFrameMatrices(float modelview[16], float projection[16]) {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        gluLookAtSceneCamera();
        glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
        glPopMatrix();
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
    }
    static void gluLookAtSceneCamera();

    static OffscreenContext* context;
    static std::vector<unsigned char> pixels;
    static std::vector<unsigned char> pixelsWithoutSky;
};

OffscreenContext* FirstFrame::context = nullptr;
std::vector<unsigned char> FirstFrame::pixels;
std::vector<unsigned char> FirstFrame::pixelsWithoutSky;

}  // namespace

#include "gl/glu.h"

namespace {

void FirstFrame::gluLookAtSceneCamera() {
    gluApi.gluLookAt(scene.eye[0], scene.eye[1], scene.eye[2], scene.target[0], scene.target[1], scene.target[2],
                     scene.up[0], scene.up[1], scene.up[2]);
}

TEST_F(FirstFrame, SunIsBrightWhereItProjects) {
    int x = 0, y = 0;
    const float sun[3] = {0.0f, 0.0f, 0.0f};
    ASSERT_TRUE(project(sun, &x, &y));
    const Rgb centre = at(x, y);
    EXPECT_GT(centre.brightness(), 300) << x << "," << y;
    EXPECT_GE(centre.r, centre.b);  // warm, not blue
}

TEST_F(FirstFrame, LitSideOfAPlanetFacesTheSun) {
    // Venus (pale and even, so its picture hardly matters) at (550, 0, 0): the side towards the Sun
    // (-x) is bright, the far side (+x) dark.
    const CelestialBody* venus = scene.bodies->next->next;
    ASSERT_EQ(venus->index, 2);
    const float radius = SPHERE_RADIUS * BODY_SCALES[2];
    const float near[3] = {venus->position[0] - 0.6f * radius, 0.0f, 0.7f * radius};
    const float far[3] = {venus->position[0] + 0.6f * radius, 0.0f, 0.7f * radius};
    int nx, ny, fx, fy;
    ASSERT_TRUE(project(near, &nx, &ny));
    ASSERT_TRUE(project(far, &fx, &fy));
    EXPECT_GT(meanBrightness(nx, ny), meanBrightness(fx, fy) * 1.5)
        << "near " << nx << "," << ny << " far " << fx << "," << fy;
}

TEST_F(FirstFrame, FrameIsMostlyDarkSkyWithSomethingDrawn) {
    int lit = 0;
    for (int y = 0; y < HEIGHT; y += 4)
        for (int x = 0; x < WIDTH; x += 4)
            if (at(x, y).brightness() > 60) ++lit;
    const int samples = (WIDTH / 4) * (HEIGHT / 4);
    EXPECT_GT(lit, samples / 200);
    EXPECT_LT(lit, samples / 2);
}

}  // namespace

namespace {

TEST_F(FirstFrame, StarsShowAroundTheBodiesAndNeverOverThem) {
    // Inside every body's disc the frame is the same with and without the sky; outside, stars show.
    int insideBodies = 0, starsOutside = 0;
    std::vector<bool> inside(static_cast<size_t>(WIDTH) * HEIGHT, false);
    for (const CelestialBody* body = scene.bodies; body; body = body->next) {
        if (body->index == RING_INDEX) continue;  // see-through: the sky shows through it
        int cx, cy, ex, ey;
        const float edge[3] = {body->position[0], body->position[1] + SPHERE_RADIUS * BODY_SCALES[body->index],
                               body->position[2]};
        if (!project(body->position, &cx, &cy) || !project(edge, &ex, &ey)) continue;
        // Small discs are drawn from a coarser mesh and cover less of their circle: leave them out.
        const double radius = std::hypot(ex - cx, ey - cy) * 0.8;
        if (radius < 15.0) continue;
        for (int y = std::max(0, cy - static_cast<int>(radius)); y <= std::min(HEIGHT - 1, cy + static_cast<int>(radius)); ++y)
            for (int x = std::max(0, cx - static_cast<int>(radius)); x <= std::min(WIDTH - 1, cx + static_cast<int>(radius)); ++x)
                if (std::hypot(x - cx, y - cy) < radius) inside[static_cast<size_t>(y) * WIDTH + x] = true;
    }
    for (size_t i = 0; i < inside.size(); ++i) {
        const bool same = pixels[3 * i] == pixelsWithoutSky[3 * i] && pixels[3 * i + 1] == pixelsWithoutSky[3 * i + 1] &&
                          pixels[3 * i + 2] == pixelsWithoutSky[3 * i + 2];
        if (inside[i]) {
            ++insideBodies;
            ASSERT_TRUE(same) << "a star shows over a body at " << i % WIDTH << "," << i / WIDTH;
        } else if (!same) {
            ++starsOutside;
        }
    }
    EXPECT_GT(insideBodies, 10000);
    EXPECT_GT(starsOutside, 1000);
}

}  // namespace
