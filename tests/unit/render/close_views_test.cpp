// Close views through the saver's own set-up and frame on a real offscreen OpenGL context: Saturn's
// ring from above and from below, the Moon beside the Earth, and the Earth's coasts east and west.
// The frames are saved as PNG in the build folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "gl/gl_api.h"
#include "gl/glu.h"
#include "platform/platform.h"
#include "render/frame_render.h"
#include "render/scene_setup.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"
#include "support/offscreen_context.h"
#include "support/release_scene.h"

namespace {

constexpr int WIDTH = 1024;
constexpr int HEIGHT = 768;

struct Rgb {
    double r = 0, g = 0, b = 0;
    double brightness() const { return r + g + b; }
};

class CloseViews : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        context = new OffscreenContext;
        if (!context->create(WIDTH, HEIGHT)) return;
        saverSettings = SaverSettings{};
        saverSettings.ScrWidth = WIDTH;
        saverSettings.ScrHeight = HEIGHT;
        saverSettings.NumStars = 0;  // a black sky: only bodies colour the frame
        setUpScene();
        ready = true;
    }
    static void TearDownTestSuite() {
        if (ready) releaseScene();
        ready = false;
        delete context;
        context = nullptr;
        saverSettings = SaverSettings{};
    }
    void SetUp() override {
        if (!ready) GTEST_SKIP() << "no offscreen OpenGL here: " << context->error();
        for (float& angle : scene.orbitAngle) angle = 0.0f;
        scene.spinAngle = 0.0f;
        scene.glowAngle = 0;
    }

    // Draws one frame from this camera and keeps its pixels (saved as name.png).
    void view(const float eye[3], const float target[3], const float up[3], const char* name) {
        for (int k = 0; k < 3; ++k) {
            scene.eye[k] = eye[k];
            scene.target[k] = target[k];
            scene.up[k] = up[k];
        }
        drawFrame();
        pixels = context->readPixels();
        writePng(std::string(ORBITARIUM_TEST_OUTPUT_DIR) + "/" + name + ".png", WIDTH, HEIGHT, pixels);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        gluApi.gluLookAt(eye[0], eye[1], eye[2], target[0], target[1], target[2], up[0], up[1], up[2]);
        glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
        glPopMatrix();
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
    }
    // The mean colour of a 5 x 5 patch round the pixel where a scene point lands.
    Rgb seen(float x, float y, float z) const {
        const float v[4] = {x, y, z, 1.0f};
        float e[4] = {}, c[4] = {};
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) e[r] += modelview[k * 4 + r] * v[k];
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) c[r] += projection[k * 4 + r] * e[k];
        EXPECT_GT(c[3], 0.0f) << "in front of the camera";
        const int px = static_cast<int>((c[0] / c[3] * 0.5f + 0.5f) * WIDTH);
        const int py = static_cast<int>((c[1] / c[3] * 0.5f + 0.5f) * HEIGHT);
        Rgb sum;
        for (int j = py - 2; j <= py + 2; ++j)
            for (int i = px - 2; i <= px + 2; ++i) {
                if (i < 0 || j < 0 || i >= WIDTH || j >= HEIGHT) continue;
                const unsigned char* p = &pixels[(static_cast<size_t>(j) * WIDTH + i) * 3];
                sum.r += p[0] / 25.0;
                sum.g += p[1] / 25.0;
                sum.b += p[2] / 25.0;
            }
        return sum;
    }

    static OffscreenContext* context;
    static bool ready;
    std::vector<unsigned char> pixels;
    float modelview[16] = {}, projection[16] = {};
};

OffscreenContext* CloseViews::context = nullptr;
bool CloseViews::ready = false;


// The ring texture's mean colour in the column at u (the picture is nearly constant along v).
Rgb ringTexel(double u) {
    const ResourceBytes bytes = platform.textureResource(240);
    Rgb mean;
    if (bytes.size < 256u * 256u * 3u) return mean;
    const int column = std::min(255, std::max(0, static_cast<int>(u * 256.0)));
    for (int row = 120; row < 136; ++row) {
        const unsigned char* p = bytes.data + (static_cast<size_t>(row) * 256 + column) * 3;
        mean.r += p[0] / 16.0;
        mean.g += p[1] / 16.0;
        mean.b += p[2] / 16.0;
    }
    return mean;
}

// How far a radial profile of the ring, seen along -z from Saturn's centre, is from 0.6 times the
// texture read from u = start (inner edge, radius 180) to u = start + step (outer edge, radius 312):
// the mean difference of brightness, and the scale that fits the profile best.
constexpr int PROFILE_FIRST_RADIUS = 184, PROFILE_LAST_RADIUS = 308;

struct RingFit {
    double error = 0, scale = 0;
};

RingFit ringFit(const std::vector<double>& profile, double start, double step) {
    RingFit fit;
    double seenTimesTexel = 0, texelSquared = 0;
    for (std::size_t i = 0; i < profile.size(); ++i) {
        const double f = (PROFILE_FIRST_RADIUS + static_cast<double>(i) - 180.0) / 132.0;
        const double texel = ringTexel(start + step * f).brightness();
        fit.error += std::fabs(profile[i] - 0.6 * texel) / profile.size();
        seenTimesTexel += profile[i] * texel;
        texelSquared += texel * texel;
    }
    fit.scale = seenTimesTexel / texelSquared;
    return fit;
}

}  // namespace

// Saturn at (1750, 0, 0), the ring round it from radius 180 to 312 in (nearly) the orbital plane.
// From above the ring shows its top face, which takes the texture from u = 0.75 at the inner edge to
// 0.5 at the outer; from below its bottom face, from u = 1 to 0. It is blended with alpha 0.6, so over
// the black sky it shows at 0.6 of the texture's brightness; the gap inside it stays black.
TEST_F(CloseViews, RingFromAboveAndBelowShowsItsOwnFaceSeeThrough) {
    const float north[3] = {0, 0, -1}, saturn[3] = {1750, 0, 0};
    const float above[3] = {1750, 700, 1}, below[3] = {1750, -700, 1};
    const auto profile = [this] {
        std::vector<double> values;
        for (int r = PROFILE_FIRST_RADIUS; r <= PROFILE_LAST_RADIUS; ++r)
            values.push_back(seen(1750, 0, static_cast<float>(-r)).brightness());
        return values;
    };
    view(above, saturn, north, "ring_above");
    const std::vector<double> fromAbove = profile();
    EXPECT_LT(seen(1750, 0, -160).brightness(), 30) << "the gap between Saturn and the ring";
    view(below, saturn, north, "ring_below");
    const std::vector<double> fromBelow = profile();
    EXPECT_LT(seen(1750, 0, -160).brightness(), 30);

    const RingFit topAbove = ringFit(fromAbove, 0.75, -0.25), bottomAbove = ringFit(fromAbove, 1.0, -1.0);
    const RingFit topBelow = ringFit(fromBelow, 0.75, -0.25), bottomBelow = ringFit(fromBelow, 1.0, -1.0);
    EXPECT_LT(topAbove.error, 20.0);
    EXPECT_LT(topAbove.error, bottomAbove.error - 8.0) << "from above, the top face";
    EXPECT_LT(bottomBelow.error, 28.0);
    EXPECT_LT(bottomBelow.error, topBelow.error - 4.0) << "from below, the bottom face";
    EXPECT_GT(ringFit(fromBelow, 0.0, 1.0).error, 50.0) << "the bottom face's texture not reversed";
    EXPECT_GT(ringFit(fromAbove, 0.5, 0.25).error, 50.0) << "the top face's texture not reversed";
    EXPECT_NEAR(topAbove.scale, 0.6, 0.08) << "blended at alpha 0.6";
    EXPECT_NEAR(bottomBelow.scale, 0.6, 0.08);
}

// The Moon rides 150 units from the Earth's centre along +z at spin 0, and swings about the Earth's
// vertical with the spin: half a turn puts it on the other side.
TEST_F(CloseViews, MoonBesideTheEarthOnTheSideItsSpinGivesIt) {
    for (int i = 0; i < 12; ++i)
        if (i != 3 && i != 10) scene.orbitAngle[i] = 180.0f;  // every other body behind the Sun
    const float up[3] = {0, 1, 0}, eye[3] = {400, 0, 75}, target[3] = {750, 0, 75};
    view(eye, target, up, "moon_beside_earth");
    EXPECT_GT(seen(750, 0, 0).brightness(), 60) << "the Earth";
    EXPECT_GT(seen(740, 0, 150).brightness(), 200) << "the Moon, at the Earth's side";
    EXPECT_LT(seen(750, 0, 110).brightness(), 15) << "the dark between them";
    EXPECT_LT(seen(740, 0, -150).brightness(), 15);

    scene.spinAngle = 180.0f;
    const float otherTarget[3] = {750, 0, -75};
    const float otherEye[3] = {400, 0, -75};
    view(otherEye, otherTarget, up, "moon_half_a_turn_later");
    EXPECT_GT(seen(740, 0, -150).brightness(), 200) << "the Moon, half a turn round";
    EXPECT_LT(seen(740, 0, 150).brightness(), 15);
}

// At spin 180 the Earth turns Greenwich towards the Sun; seen from the Sun's side with north up, east
// lies to the right: Africa right of the centre, the Atlantic left, the Sahara above, the South
// Atlantic below. Through the real sphere mesh, its texture coordinates and the Earth picture.
TEST_F(CloseViews, EarthShowsAfricaEastOfGreenwichAndTheAtlanticWest) {
    for (int i = 0; i < 12; ++i)
        if (i != 3) scene.orbitAngle[i] = 180.0f;
    scene.spinAngle = 180.0f;
    const float up[3] = {0, 1, 0}, eye[3] = {400, 0, 0}, earth[3] = {750, 0, 0};
    view(eye, earth, up, "earth_greenwich");
    // The surface point at a longitude (east positive) and latitude, in degrees, as the spin turns it.
    const auto surface = [this](double longitude, double latitude) {
        const double l = longitude * M_PI / 180.0, f = latitude * M_PI / 180.0, r = 75.83;
        return seen(static_cast<float>(750 - r * std::cos(f) * std::cos(l)), static_cast<float>(r * std::sin(f)),
                    static_cast<float>(r * std::cos(f) * std::sin(l)));
    };
    const auto sea = [](const Rgb& c) { return c.b > c.r + 15 && c.b > c.g; };
    const auto land = [](const Rgb& c) { return c.r + c.g > 2.2 * c.b && c.brightness() > 20; };
    const double lands[][2] = {{20, 0}, {15, 20}, {25, -15}, {10, 30}};
    const double seas[][2] = {{-20, 0}, {-20, -20}, {0, -15}, {10, -30}};
    for (const auto& p : lands) {
        const Rgb c = surface(p[0], p[1]);
        EXPECT_TRUE(land(c)) << "land at " << p[0] << " E " << p[1] << " N: " << c.r << " " << c.g << " " << c.b;
    }
    for (const auto& p : seas) {
        const Rgb c = surface(p[0], p[1]);
        EXPECT_TRUE(sea(c)) << "sea at " << p[0] << " E " << p[1] << " N: " << c.r << " " << c.g << " " << c.b;
    }
}
