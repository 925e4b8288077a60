// The frame counter drawn through the GL table and the view that follows the window's size, on a
// real offscreen context (llvmpipe) and on the matrix-keeping test table.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "gl/gl_api.h"
#include "gl/glu.h"
#include "render/fps_overlay.h"
#include "render/view_size.h"
#include "scene/flight_input.h"
#include "settings/saver_settings.h"
#include "support/matrix_only_gl.h"
#include "support/offscreen_context.h"

namespace {

TEST(FrameCounter, TextNamesTheRateAndTheTriangles) {
    EXPECT_EQ(frameCounterText(49.84, 10412), "49.8 FPS  10412 TRIANGLES");
    EXPECT_EQ(frameCounterText(0.0, 0), "0.0 FPS  0 TRIANGLES");
    // Every character the counter writes has a glyph; others are blank.
    for (char c : std::string("0123456789. FPSTRIANGLE"))
        if (c != ' ') {
            const unsigned char* rows = overlayGlyph(c);
            int lit = 0;
            for (int r = 0; r < 7; ++r) lit += rows[r] != 0;
            EXPECT_GT(lit, 0) << c;
        }
    const unsigned char* blank = overlayGlyph('%');
    for (int r = 0; r < 7; ++r) EXPECT_EQ(blank[r], 0);
}

TEST(FrameCounter, CountsOnlyVerticesOfTriangleBlocks) {
    const GlApi saved = glApi;
    const GluApi savedGlu = gluApi;
    installMatrixOnlyGl();
    countDrawnTriangles();
    countDrawnTriangles();  // a second call must not wrap the wrappers
    takeTriangleCount();
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < 9; ++i) glVertex3f(0, 0, 0);
    glEnd();
    glBegin(GL_QUADS);
    for (int i = 0; i < 8; ++i) glVertex3f(0, 0, 0);
    glEnd();
    EXPECT_EQ(takeTriangleCount(), 3);
    EXPECT_EQ(takeTriangleCount(), 0);
    glApi = saved;
    gluApi = savedGlu;
}

class OverlayPixels : public ::testing::Test {
protected:
    void SetUp() override {
        if (!context.create(320, 200)) GTEST_SKIP() << "no offscreen OpenGL here: " << context.error();
    }
    OffscreenContext context;
};

TEST_F(OverlayPixels, LettersAreWhiteOnADarkBandInTheLowerLeftAndStateIsKept) {
    glViewport(0, 0, 320, 200);
    glClearColor(0.5f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1, 1, -1, 1, 1, 10);
    glMatrixMode(GL_MODELVIEW);
    float projectionBefore[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projectionBefore);

    drawOverlayText("8", 320, 200, 2);
    const std::vector<unsigned char> pixels = context.readPixels();
    auto at = [&](int x, int y) { return &pixels[(static_cast<size_t>(y) * 320 + x) * 3]; };
    // The 8's top bar: cells at rows 6 (from the bottom) of the glyph, columns 1..3; margin 4 px.
    const unsigned char* lit = at(4 + 2 * 2 + 1, 4 + 6 * 2 + 1);
    EXPECT_EQ(lit[0], 255);
    EXPECT_EQ(lit[1], 255);
    EXPECT_EQ(lit[2], 255);
    // Inside the 8's upper loop: the dark band, not the red background.
    const unsigned char* band = at(4 + 2 * 2 + 1, 4 + 5 * 2 + 1);
    EXPECT_LT(band[0], 60);
    // Far from the corner the picture is untouched.
    EXPECT_EQ(at(300, 180)[0], 128);

    float projectionAfter[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projectionAfter);
    EXPECT_EQ(std::memcmp(projectionBefore, projectionAfter, sizeof projectionAfter), 0);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

class ViewSize : public ::testing::Test {
protected:
    void SetUp() override {
        saved = glApi;
        savedGlu = gluApi;
        installMatrixOnlyGl();
        saverSettings = SaverSettings{};
    }
    void TearDown() override {
        glApi = saved;
        gluApi = savedGlu;
    }
    static void projection(float m[16]) { glGetFloatv(GL_PROJECTION_MATRIX, m); }
    GlApi saved{};
    GluApi savedGlu{};
};

TEST_F(ViewSize, TheFrustumKeepsCirclesRoundAtEveryAspect) {
    const int sizes[][2] = {{640, 640}, {1200, 400}, {200, 150}, {400, 1200}};
    for (const auto& size : sizes) {
        applyViewSize(size[0], size[1]);
        float m[16];
        projection(m);
        // x and y scales of the projection in pixels per unit at the near plane must agree.
        const double pixelsPerUnitX = m[0] * size[0] / 2.0;
        const double pixelsPerUnitY = m[5] * size[1] / 2.0;
        EXPECT_NEAR(pixelsPerUnitX, pixelsPerUnitY, 1e-3 * pixelsPerUnitY) << size[0] << "x" << size[1];
        // The half-height stays 0.75 at the near plane 1.
        EXPECT_NEAR(m[5], 1.0 / 0.75, 1e-5);
        EXPECT_EQ(saverSettings.ScrWidth, static_cast<float>(size[0]));
        EXPECT_EQ(saverSettings.ScrHeight, static_cast<float>(size[1]));
        EXPECT_FLOAT_EQ(flightInput.mouseScaleX, 4.0f / static_cast<float>(size[0]));
    }
}

TEST_F(ViewSize, AnEmptyWindowIsTakenAsOnePixel) {
    applyViewSize(0, -3);
    float m[16];
    projection(m);
    for (float v : m) EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(saverSettings.ScrWidth, 1.0f);
    EXPECT_EQ(saverSettings.ScrHeight, 1.0f);
}

}  // namespace
