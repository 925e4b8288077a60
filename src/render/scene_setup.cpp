#include "render/scene_setup.h"

#include <cstring>

#include "geometry/texture_loader.h"
#include "geometry/vertex_colours.h"
#include "gl/gl_api.h"
#include "gl/window_system.h"
#include "platform/platform.h"
#include "render/special_passes.h"
#include "scene/random.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"

namespace {
constexpr int GLOW_RESOURCE = 228;
constexpr int LOADING_RESOURCE = 157;
constexpr unsigned FIRST_GLOW_TEXTURE = 13;
constexpr unsigned SECOND_GLOW_TEXTURE = 14;
constexpr unsigned LOADING_TEXTURE = 15;
}  // namespace

double frustumHalfWidth(float screenWidth, float screenHeight) {
    // A zero height only reaches here if the display mode accepted it; keep the frustum finite.
    if (!(screenHeight > 0.0f)) return 0.75;
    return 0.75 * static_cast<double>(screenWidth) / static_cast<double>(screenHeight);
}

void setUpScene() {
    loadTexture(GLOW_RESOURCE, FIRST_GLOW_TEXTURE, 256, 256);
    loadTexture(GLOW_RESOURCE, SECOND_GLOW_TEXTURE, 256, 256);
    loadTexture(LOADING_RESOURCE, LOADING_TEXTURE, 256, 256);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // One unit per pixel, origin at the lower left, for the loading picture.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, saverSettings.ScrWidth, 0.0, saverSettings.ScrHeight, -1.0, 1.0);
    glViewport(0, 0, truncatePixels(saverSettings.ScrWidth), truncatePixels(saverSettings.ScrHeight));
    glColor3f(0.0f, 0.0f, 0.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // On the screen while the bodies are built.
    drawLoadingImage();
    swapBuffers(sharedDeviceContext);

    fillOrbitSteps(scene.orbitStep);
    static CelestialBody firstBody;
    scene.bodies = &firstBody;

    // The body meshes are wound so that their outside faces are the ones culled as "front".
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);

    const double halfWidth = frustumHalfWidth(saverSettings.ScrWidth, saverSettings.ScrHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-halfWidth, halfWidth, -0.75, 0.75, 1.0, 40000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);

    std::memcpy(scene.eye, INITIAL_EYE, sizeof scene.eye);
    std::memcpy(scene.target, INITIAL_TARGET, sizeof scene.target);
    scene.up[0] = 0.0f;
    scene.up[1] = 1.0f;
    scene.up[2] = 0.0f;

    // Only 256 different skies and orbit layouts: the seed is the low 8 bits of the tick count.
    seedRandom(platform.tickCount() & 0xFFu);
    for (float& angle : scene.orbitAngle) angle = static_cast<float>(nextRandom() % 360);
    scene.orbitAngle[MOON_INDEX] = scene.orbitAngle[EARTH_INDEX];
    scene.orbitAngle[RING_INDEX] = scene.orbitAngle[SATURN_INDEX];

    buildBodies(scene.bodies, loadTexture);

    static StarField starField;
    scene.stars = &starField;
    createStarField(scene.stars, starCountFor(saverSettings.NumStars));
    compileStarList(scene.stars);

    for (int k = 0; k < 3; ++k)
        buildCameraSpline(&scene.eyePath[k], PATH_KNOTS, PATH_EYE[k], PATH_POINT_COUNT, 0.0, 0.0);
    for (int k = 0; k < 3; ++k)
        buildCameraSpline(&scene.targetPath[k], PATH_KNOTS, PATH_TARGET[k], PATH_POINT_COUNT, 0.0, 0.0);

    // First colouring: the Sun and the ring stay white for good; the others are lit again every frame.
    for (CelestialBody* body = scene.bodies; body; body = body->next) {
        if (body->index == SUN_INDEX || body->index == RING_INDEX)
            unlitColours(body->mesh.lodRoot, body);
        else
            litColours(body->mesh.lodRoot, body);
    }
}
