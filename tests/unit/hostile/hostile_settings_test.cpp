// Any 32-bit value stored under any option runs the saver safely: the shared start-up, the scene set-up,
// frames and a long run of ticks stay defined (this program is built with the address, undefined and
// float-cast-overflow sanitizers, stopping at the first report) and every reading stays in range.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "gl/gl_api.h"
#include "gl/glu.h"
#include "platform_override.h"
#include "render/frame_render.h"
#include "render/scene_setup.h"
#include "saver/startup.h"
#include "scene/scene.h"
#include "scene/star_field.h"
#include "scene/update_tick.h"
#include "settings/stored_options.h"
#include "support/matrix_only_gl.h"
#include "support/release_scene.h"

namespace {

struct Stored {
    const char* name;
    uint32_t value;
};

void PrintTo(const Stored& s, std::ostream* os) { *os << s.name << "=" << s.value; }

// The one stored value of the case, in the registry's 4-byte form.
bool readOne(void* context, const char* name, unsigned char* data, uint32_t* size) {
    const Stored* stored = static_cast<const Stored*>(context);
    if (std::strcmp(stored->name, name) != 0) return false;
    std::memcpy(data, &stored->value, 4);
    *size = 4;
    return true;
}

bool desktop(DisplayMode* mode) {
    *mode = DisplayMode{};
    mode->width = 1024;
    mode->height = 768;
    mode->bitsPerPixel = 32;
    mode->frequency = 60;
    return true;
}
void ignoreEnvironment(const char*, const char*) {}

void expectReadingsInRange(const char* when) {
    EXPECT_TRUE(scene.pathPosition == 0 || (scene.pathPosition >= 1 && scene.pathPosition <= PATH_LAST)) << when;
    for (float angle : scene.orbitAngle) {
        ASSERT_GE(angle, 0.0f) << when;
        ASSERT_LE(angle, 360.0f) << when;
    }
    ASSERT_GE(scene.spinAngle, 0.0f) << when;
    ASSERT_LE(scene.spinAngle, 360.0f) << when;
    ASSERT_GE(scene.glowAngle, 0) << when;
    ASSERT_LE(scene.glowAngle, 359) << when;
    for (int k = 0; k < 3; ++k) ASSERT_TRUE(std::isfinite(scene.eye[k])) << when;
}

class HostileSettings : public ::testing::TestWithParam<Stored> {};

TEST_P(HostileSettings, StartUpSetUpFramesAndTicksStayDefined) {
    ScopedPlatform savedPlatform;
    platform.currentDisplayMode = desktop;
    platform.setEnvironment = ignoreEnvironment;
    const GlApi savedGl = glApi;
    const GluApi savedGlu = gluApi;
    installMatrixOnlyGl();

    saverSettings = SaverSettings{};
    beginSharedStartUp(saverSettings);
    Stored stored = GetParam();
    readOptions(saverSettings, readOne, &stored);

    scene = Scene{};
    setUpScene();
    EXPECT_GE(scene.stars->count, 0);
    EXPECT_LE(scene.stars->count, STAR_CAPACITY);
    EXPECT_EQ(scene.stars->count, starCountFor(saverSettings.NumStars));
    EXPECT_GE(planetSpeedLevel(saverSettings.PlanetSpeed), 0);
    EXPECT_LE(planetSpeedLevel(saverSettings.PlanetSpeed), 5);
    EXPECT_GE(cameraSpeedStep(saverSettings.CameraSpeed), 1);
    EXPECT_LE(cameraSpeedStep(saverSettings.CameraSpeed), 5);

    for (int frame = 0; frame < 100; ++frame) {
        drawFrame();
        updateTick();
    }
    expectReadingsInRange("after 100 frames");
    // The long run: the bodies' normals only follow the spin angle, so the 100,000 ticks run without
    // them and check the orbit, spin and tour readings at every step.
    CelestialBody* bodies = scene.bodies;
    scene.bodies = nullptr;
    for (int tick = 0; tick < 100000; ++tick) {
        updateTick();
        if (tick % 997 == 0) expectReadingsInRange("during the long run");
    }
    expectReadingsInRange("after 100,000 ticks");
    scene.bodies = bodies;

    releaseScene();
    glApi = savedGl;
    gluApi = savedGlu;
    saverSettings = SaverSettings{};
}

std::vector<Stored> hostileValues() {
    const uint32_t values[] = {0u, 1u, 0xFFFFFFFFu, 5u, 6u, 2147483647u, 0x80000000u, 4294967295u - 6u,
                               1000000u, 3u};
    std::vector<Stored> cases;
    for (const char* name : OPTION_READ_ORDER)
        for (uint32_t value : values) cases.push_back({name, value});
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<Stored>& info) {
    std::string name = std::string(info.param.name) + "_" + std::to_string(info.param.value);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryOption, HostileSettings, ::testing::ValuesIn(hostileValues()), caseName);

}  // namespace
