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

class LoadingPicture : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(LoadingPicture, IsCentredThreeHundredByOneSixty) {
    const int width = GetParam().first, height = GetParam().second;
    OffscreenContext context;
    if (!context.create(width, height)) GTEST_SKIP() << context.error();
    saverSettings.ScrWidth = static_cast<float>(width);
    saverSettings.ScrHeight = static_cast<float>(height);
    loadTexture(157, 15, 256, 256);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    drawLoadingImage();
    const std::vector<unsigned char> pixels = context.readPixels();
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
