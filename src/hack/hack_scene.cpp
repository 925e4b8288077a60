#include "hack/hack_scene.h"

#include "platform/platform.h"
#include "render/scene_setup.h"
#include "scene/flight_input.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"

namespace {
uint32_t sceneSeed = 0;
uint32_t seedAsTickCount() { return sceneSeed; }
}  // namespace

void applyHackOptions(const HackOptions& options, int width, int height) {
    saverSettings = SaverSettings{};
    saverSettings.ScrWidth = static_cast<float>(width);
    saverSettings.ScrHeight = static_cast<float>(height);
    saverSettings.ColorBits = 32;
    saverSettings.Hertz = 0;
    saverSettings.AutoPilot = options.manual ? 0 : 1;
    saverSettings.CameraSpeed = options.cameraSpeed;
    saverSettings.PlanetSpeed = options.planetSpeed;
    saverSettings.NumStars = options.stars;
    saverSettings.ThreeDfx = 0;
    saverSettings.InvertMouse = options.invertMouse ? 1 : 0;
    saverSettings.ShowMouse = options.showMouse ? 1 : 0;
    setMouseScales(flightInput, saverSettings.ScrWidth, saverSettings.ScrHeight);
}

void setUpHackScene(const HackOptions& options) {
    if (!options.seeded) {
        setUpScene();
        return;
    }
    sceneSeed = static_cast<uint32_t>(options.seed);
    const auto clock = platform.tickCount;
    platform.tickCount = seedAsTickCount;
    setUpScene();
    platform.tickCount = clock;
}

void releaseHackScene() {
    if (scene.bodies) releaseBodies(scene.bodies);
    scene.bodies = nullptr;
    for (int k = 0; k < 3; ++k) {
        releaseCameraSpline(&scene.eyePath[k]);
        releaseCameraSpline(&scene.targetPath[k]);
    }
}
