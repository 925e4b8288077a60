// GLU's work done through the driver's own table: the same camera matrix as the system's gluLookAt, the
// mipmap chain as gluBuild2DMipmaps builds it (scaled to the driver's largest texture first), and on a
// real offscreen context the same frame as with the system's GLU.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "gl/driver_glu.h"
#include "gl/gl_api.h"
#include "gl/glu.h"
#include "platform_override.h"
#include "render/frame_render.h"
#include "render/scene_setup.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"
#include "support/offscreen_context.h"
#include "support/release_scene.h"

namespace {

constexpr int WIDTH = 640, HEIGHT = 480;

// The tests that need a real driver share one offscreen context.
class DriverGluOnContext : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        made = new OffscreenContext;
        made->create(WIDTH, HEIGHT);
    }
    static void TearDownTestSuite() {
        delete made;
        made = nullptr;
    }
    void SetUp() override {
        if (made->width() != WIDTH) GTEST_SKIP() << "no offscreen OpenGL here: " << made->error();
    }
    static OffscreenContext& context() { return *made; }
    static OffscreenContext* made;
};
OffscreenContext* DriverGluOnContext::made = nullptr;

// Cameras of the tour and of manual flight, with up vectors that are not perpendicular to the view.
struct Camera {
    double eye[3], centre[3], up[3];
};
const Camera CAMERAS[] = {
    {{-224.792, 432.066, 949.615}, {-224.635, 431.627, 948.73}, {0, 1, 0}},
    {{3000, -20, 5}, {0, 0, 0}, {0.3, 0.9, -0.1}},
    {{750, 0, 600}, {750, 0, 0}, {0, 1, 0}},
    {{1, 2, 3}, {1.001, 2.5, 2}, {0, 0, 1}},
};

TEST_F(DriverGluOnContext, LookAtIsTheMatrixOfTheSystemsGluLookAt) {
    const GluApi system = systemGluApi();
    const GluApi driver = driverGluApi();
    glMatrixMode(GL_MODELVIEW);
    for (const Camera& c : CAMERAS) {
        float expected[16], got[16];
        glLoadIdentity();
        system.gluLookAt(c.eye[0], c.eye[1], c.eye[2], c.centre[0], c.centre[1], c.centre[2], c.up[0], c.up[1], c.up[2]);
        glGetFloatv(GL_MODELVIEW_MATRIX, expected);
        glLoadIdentity();
        driver.gluLookAt(c.eye[0], c.eye[1], c.eye[2], c.centre[0], c.centre[1], c.centre[2], c.up[0], c.up[1], c.up[2]);
        glGetFloatv(GL_MODELVIEW_MATRIX, got);
        for (int i = 0; i < 16; ++i) {
            // The translation column holds eye-sized numbers: compared relative to their size.
            const double scale = i >= 12 ? std::fmax(1.0, std::fabs(expected[i])) : 1.0;
            EXPECT_NEAR(got[i] / scale, expected[i] / scale, 1e-6) << "element " << i << ", eye " << c.eye[0];
        }
    }
}

TEST(DriverGlu, BaseSizeIsGlusNearestPowerOfTwoWithinTheDriversLimit) {
    EXPECT_EQ(mipmapBaseSize(512, 16384), 512);
    EXPECT_EQ(mipmapBaseSize(512, 256), 256);
    EXPECT_EQ(mipmapBaseSize(256, 256), 256);
    EXPECT_EQ(mipmapBaseSize(3, 1024), 4);
    EXPECT_EQ(mipmapBaseSize(5, 1024), 4);
    EXPECT_EQ(mipmapBaseSize(6, 1024), 8);
    EXPECT_EQ(mipmapBaseSize(1, 1024), 1);
    EXPECT_EQ(mipmapBaseSize(0, 1024), 0);
    EXPECT_EQ(mipmapBaseSize(1000, 1), 1);
    EXPECT_EQ(mipmapBaseSize(0x7FFFFFFF, 0x7FFFFFFF), 0x40000000);  // no overflow at the largest size
}

TEST(DriverGlu, ScalingAndHalvingAverageTheRightPixels) {
    // 4 x 2 RGB: each 2 x 2 block averages to its own value.
    const unsigned char source[] = {10, 0, 0, 30, 0, 0, 100, 0, 0, 100, 0, 0,
                                    20, 0, 0, 40, 0, 0, 200, 0, 0, 201, 0, 0};
    unsigned char halved[6] = {};
    halveImage(source, 4, 2, halved, 3);
    EXPECT_EQ(halved[0], 25);   // (10 + 30 + 20 + 40) / 4
    EXPECT_EQ(halved[3], 150);  // (100 + 100 + 200 + 201 + 2) / 4, rounded
    unsigned char scaled[6] = {};
    scaleImage(source, 4, 2, scaled, 2, 1, 3);
    EXPECT_EQ(scaled[0], 25);
    EXPECT_EQ(scaled[3], 150);
    // A 1-wide image halves along its height only.
    const unsigned char column[] = {0, 0, 0, 255, 255, 255};
    unsigned char one[3] = {};
    halveImage(column, 1, 2, one, 3);
    EXPECT_EQ(one[0], 128);
}

// A driver whose largest texture is 256, recording the levels it is given.
struct Level {
    int level, width, height;
    unsigned char first;
};
std::vector<Level> levels;
void ORB_GLAPI maxTextureSize256(GLenum name, GLint* value) {
    if (name == GL_MAX_TEXTURE_SIZE) *value = 256;
}
void ORB_GLAPI recordLevel(GLenum, GLint level, GLint, GLsizei width, GLsizei height, GLint, GLenum, GLenum,
                           const void* pixels) {
    levels.push_back({level, width, height, *static_cast<const unsigned char*>(pixels)});
}

TEST(DriverGlu, MipmapChainStartsAtTheDriversLargestSizeAndEndsAtOnePixel) {
    const GlApi saved = glApi;
    glApi.glGetIntegerv = maxTextureSize256;
    glApi.glTexImage2D = recordLevel;
    std::vector<unsigned char> picture(512 * 256 * 3, 77);
    levels.clear();
    EXPECT_EQ(driverGluApi().gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 512, 256, GL_RGB, GL_UNSIGNED_BYTE,
                                               picture.data()),
              0);
    glApi = saved;
    // 512 x 256 scaled to 256 x 256, then halved down to 1 x 1: nine levels, none above 256.
    ASSERT_EQ(levels.size(), 9u);
    for (size_t i = 0; i < levels.size(); ++i) {
        EXPECT_EQ(levels[i].level, static_cast<int>(i));
        EXPECT_EQ(levels[i].width, 256 >> i);
        EXPECT_EQ(levels[i].height, 256 >> i);
        EXPECT_EQ(levels[i].first, 77);  // a flat picture stays flat through every filter
    }
}

// The level sizes a real driver keeps for each path, for one of the saver's 512 x 512 maps.
std::vector<std::pair<int, int>> keptLevelSizes(const GluApi& glu, GLuint name) {
    std::vector<unsigned char> picture(512 * 512 * 3);
    for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<unsigned char>(i * 31 % 251);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glu.gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 512, 512, GL_RGB, GL_UNSIGNED_BYTE, picture.data());
    std::vector<std::pair<int, int>> sizes;
    for (int level = 0; level < 12; ++level) {
        GLint w = 0, h = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
        sizes.emplace_back(w, h);
    }
    return sizes;
}

TEST_F(DriverGluOnContext, RealDriverKeepsTheSameLevelsForBothPaths) {
    EXPECT_EQ(keptLevelSizes(driverGluApi(), 40), keptLevelSizes(systemGluApi(), 41));
}

// The saver's first frame, with the sky and the orbits fixed, drawn with the given GLU.
std::vector<unsigned char> frameWith(OffscreenContext& context, const GluApi& glu) {
    ScopedPlatform saved;
    platform.tickCount = [] { return 7u; };  // the same sky both times
    gluApi = glu;
    scene = Scene{};
    saverSettings = SaverSettings{};
    saverSettings.ScrWidth = WIDTH;
    saverSettings.ScrHeight = HEIGHT;
    setUpScene();
    for (float& angle : scene.orbitAngle) angle = 0.0f;
    drawFrame();
    std::vector<unsigned char> pixels = context.readPixels();
    releaseScene();
    scene = Scene{};
    gluApi = systemGluApi();
    return pixels;
}

TEST_F(DriverGluOnContext, TheFrameThroughTheTableMatchesTheFrameThroughTheSystemsGlu) {
    const std::vector<unsigned char> system = frameWith(context(), systemGluApi());
    const std::vector<unsigned char> driver = frameWith(context(), driverGluApi());
    const std::string dir = ORBITARIUM_TEST_OUTPUT_DIR;
    writePng(dir + "/frame_system_glu.png", WIDTH, HEIGHT, system);
    writePng(dir + "/frame_driver_glu.png", WIDTH, HEIGHT, driver);
    ASSERT_EQ(system.size(), driver.size());
    long lit = 0, differing = 0;
    double total = 0.0;
    for (size_t i = 0; i < system.size(); i += 3) {
        int worst = 0;
        for (int c = 0; c < 3; ++c) {
            const int d = std::abs(system[i + c] - driver[i + c]);
            worst = std::max(worst, d);
            total += d;
        }
        lit += system[i] + system[i + 1] + system[i + 2] > 60;
        differing += worst > 12;
    }
    EXPECT_GT(lit, static_cast<long>(system.size() / 3 / 100)) << "the frame shows the scene";
    EXPECT_LT(total / static_cast<double>(system.size()), 1.0) << "mean difference per channel";
    EXPECT_LT(differing, static_cast<long>(system.size() / 3 / 200)) << "pixels off by more than 12";
}

}  // namespace
