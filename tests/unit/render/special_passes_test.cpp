// The loading picture and the Sun's glow on a real offscreen OpenGL context.
#include <gtest/gtest.h>

#include <string>

#include "geometry/texture_loader.h"
#include "gl/gl_api.h"
#include "render/frame_render.h"
#include "render/scene_setup.h"
#include "render/special_passes.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"
#include "support/offscreen_context.h"
#include "support/release_scene.h"

namespace {

struct Box {
    int left = 1 << 30, bottom = 1 << 30, right = -1, top = -1;
};

// The pixels that differ from the clear colour (0, 0, 255).
Box drawnBox(const std::vector<unsigned char>& pixels, int width, int height) {
    Box box;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
            if (p[0] == 0 && p[1] == 0 && p[2] == 255) continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.bottom = std::min(box.bottom, y);
            box.top = std::max(box.top, y);
        }
    return box;
}

class LoadingPicture : public ::testing::TestWithParam<std::pair<int, int>> {
protected:
    // The loading picture alone on a screen of this size cleared to (0, 0, blue), under the start-up
    // projection (one unit per pixel, origin at the lower left).
    std::vector<unsigned char> drawLoadingPicture(int width, int height, float blue) {
        saverSettings.ScrWidth = static_cast<float>(width);
        saverSettings.ScrHeight = static_cast<float>(height);
        loadTexture(157, 15, 256, 256);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, width, 0, height, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glViewport(0, 0, width, height);
        glClearColor(0, 0, blue, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        drawLoadingImage();
        return context.readPixels();
    }
    OffscreenContext context;
};

TEST_P(LoadingPicture, IsCentredThreeHundredByOneSixty) {
    const int width = GetParam().first, height = GetParam().second;
    if (!context.create(width, height)) GTEST_SKIP() << context.error();
    const std::vector<unsigned char> pixels = drawLoadingPicture(width, height, 1.0f);
    writePng(std::string(ORBITARIUM_TEST_OUTPUT_DIR) + "/loading_" + std::to_string(width) + ".png", width, height,
             pixels);
    const Box box = drawnBox(pixels, width, height);
    const int x0 = width / 2 - 150, y0 = height / 2 - 80;
    EXPECT_EQ(box.left, x0);
    EXPECT_EQ(box.right, x0 + 299);
    EXPECT_EQ(box.bottom, y0);
    EXPECT_EQ(box.top, y0 + 159);
    saverSettings = SaverSettings{};
}

// Upright and not mirrored: the gold title and the pale "Loading..." line lie in the rows the
// picture gives them (counted from the picture's top), and the small sun is at the left.
TEST_P(LoadingPicture, ShowsItsTextRowsAndItsSunWhereThePictureHasThem) {
    const int width = GetParam().first, height = GetParam().second;
    if (!context.create(width, height)) GTEST_SKIP() << context.error();
    const std::vector<unsigned char> pixels = drawLoadingPicture(width, height, 0.0f);  // bottom row first
    const int x0 = width / 2 - 150, top = height / 2 - 80 + 159;
    // The picture's pixel (x from its left, y down from its top).
    const auto at = [&](int x, int y) { return &pixels[(static_cast<size_t>(top - y) * width + x0 + x) * 3]; };
    int goldRows[2] = {999, -1}, blueRows[2] = {999, -1}, gold = 0, blue = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 300; ++x) {
            const unsigned char* p = at(x, y);
            if (p[0] > 200 && p[1] > 110 && p[1] < 230 && p[2] < 140) {
                ++gold;
                goldRows[0] = std::min(goldRows[0], y), goldRows[1] = std::max(goldRows[1], y);
            }
            if (p[0] > 170 && p[0] < 215 && p[1] > 195 && p[1] < 230 && p[2] > 225) {
                ++blue;
                blueRows[0] = std::min(blueRows[0], y), blueRows[1] = std::max(blueRows[1], y);
            }
        }
    EXPECT_GT(gold, 1000);
    EXPECT_GE(goldRows[0], 36) << "the title starts 40 rows below the top";
    EXPECT_LE(goldRows[1], 72);
    EXPECT_GT(blue, 150);
    EXPECT_GE(blueRows[0], 96) << "\"Loading...\" starts 100 rows below the top";
    EXPECT_LE(blueRows[1], 124);
    const unsigned char* sun = at(25, 58);
    const unsigned char* mirrored = at(275, 58);
    EXPECT_GT(sun[0] + sun[1] + sun[2], 600) << "the sun left of the title";
    EXPECT_LT(mirrored[0] + mirrored[1] + mirrored[2], 450) << "only the orbit on the right";
    saverSettings = SaverSettings{};
}

// 1024 x 768: x 362..662, y 304..464; 800 x 600: x 250..550, y 220..380.
INSTANTIATE_TEST_SUITE_P(Screens, LoadingPicture,
                         ::testing::Values(std::make_pair(1024, 768), std::make_pair(800, 600)));

TEST(SunGlow, ShowsWhenTheSunItselfIsOutOfView) {
    OffscreenContext context;
    if (!context.create(1024, 768)) GTEST_SKIP() << context.error();
    saverSettings.ScrWidth = 1024;
    saverSettings.ScrHeight = 768;
    saverSettings.NumStars = 0;  // a black sky, so only the glow can colour the frame
    setUpScene();
    // Close to the Sun and looking past it along +x: the Sun's box is entirely off the view, but the
    // glow's square reaches in from the side.
    const float eye[3] = {0.0f, 0.0f, 300.0f}, target[3] = {1.0f, 0.0f, 300.0f};
    for (int k = 0; k < 3; ++k) {
        scene.eye[k] = eye[k];
        scene.target[k] = target[k];
    }
    for (float& angle : scene.orbitAngle) angle = 180.0f;  // every planet behind the camera
    int glowBefore = scene.glowAngle;
    drawFrame();
    EXPECT_EQ(scene.glowAngle, (glowBefore + 1) % 360);
    const std::vector<unsigned char> pixels = context.readPixels();
    writePng(std::string(ORBITARIUM_TEST_OUTPUT_DIR) + "/glow_without_sun.png", 1024, 768, pixels);
    int orange = 0;
    for (size_t i = 0; i < pixels.size(); i += 3)
        if (pixels[i] > 40 && pixels[i] > 2 * pixels[i + 2]) ++orange;
    EXPECT_GT(orange, 5000);
    releaseScene();
    saverSettings = SaverSettings{};
}

}  // namespace
