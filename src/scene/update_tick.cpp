#include "scene/update_tick.h"

#include "platform/platform.h"
#include "scene/flight_input.h"
#include "scene/manual_flight.h"
#include "scene/rotation.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"

namespace {

constexpr float SPIN_STEP = 0.5f;  // degrees per tick
constexpr float VERTICAL[3] = {0.0f, 1.0f, 0.0f};

// Angles advance and wrap above 360 (exactly 360 stays).
float advanceAngle(float angle, float step) {
    angle += step;
    if (angle > 360.0f) angle -= 360.0f;
    return angle;
}

}  // namespace

int32_t planetSpeedLevel(int32_t planetSpeed) {
    if (planetSpeed < 0) return 0;
    return planetSpeed >= PLANET_SPEED_LEVELS ? PLANET_SPEED_LEVELS - 1 : planetSpeed;
}

int32_t cameraSpeedStep(int32_t cameraSpeed) {
    if (cameraSpeed < 1) return 1;
    return cameraSpeed > 5 ? 5 : cameraSpeed;
}

int32_t nextPathPosition(int32_t position, int32_t cameraSpeed) {
    // A position outside the tour (never stored by the saver itself) starts it again.
    if (position < 0 || position > PATH_LAST) position = 0;
    position += 2 * cameraSpeedStep(cameraSpeed);
    return position > PATH_LAST ? 1 : position;
}

void turnBodyNormals(CelestialBody* body, float degrees, const float axis[3]) {
    const RotationMatrix turn = axisAngleMatrix(axis, degrees);
    const float(*built)[3] = body->mesh.builtNormals;
    const auto turnInto = [&turn](float* normal, const float* from) {
        const float x = from[0], y = from[1], z = from[2];
        normal[0] = turn.m[0] * x + turn.m[1] * y + turn.m[2] * z;
        normal[1] = turn.m[3] * x + turn.m[4] * y + turn.m[5] * z;
        normal[2] = turn.m[6] * x + turn.m[7] * y + turn.m[8] * z;
    };
    MeshVertex* vertices = body->mesh.vertices;
    const int32_t count = body->mesh.vertexCount;
    for (int32_t i = 0; i < count; ++i) turnInto(vertices[i].normal, built[i]);
    int32_t n = count;
    for (MeshVertex* v = body->mesh.lodVertices; v; v = v->next, ++n) turnInto(v->normal, built[n]);
}

void updateTick() {
    const int32_t level = planetSpeedLevel(saverSettings.PlanetSpeed);
    for (int i = 0; i < BODY_COUNT; ++i) scene.orbitAngle[i] = advanceAngle(scene.orbitAngle[i], scene.orbitStep[i][level]);
    scene.spinAngle = advanceAngle(scene.spinAngle, SPIN_STEP);

    // The normals follow the drawn spin: spinAngle about each body's vertical, twice that for the Moon,
    // which turns about the Earth and about itself. The ring is not spun when drawn, but its normals
    // turn with the others, as they always have.
    for (CelestialBody* body = scene.bodies; body; body = body->next) {
        const float turns = body->index == MOON_INDEX ? 2.0f : 1.0f;
        float degrees = turns * scene.spinAngle;
        if (degrees > 360.0f) degrees -= 360.0f;
        turnBodyNormals(body, -degrees, VERTICAL);
    }

    if (saverSettings.AutoPilot) {
        scene.pathPosition = nextPathPosition(scene.pathPosition, saverSettings.CameraSpeed);
        const double u = scene.pathPosition;
        for (int k = 0; k < 3; ++k) scene.eye[k] = static_cast<float>(evalCameraSpline(&scene.eyePath[k], u));
        for (int k = 0; k < 3; ++k) scene.target[k] = static_cast<float>(evalCameraSpline(&scene.targetPath[k], u));
        return;
    }
    if (flightInput.mouseButton == 1 || flightInput.mouseButton == 2) {
        platform.cursorPosition(&flightInput.steerCursor.x, &flightInput.steerCursor.y);
        steerCamera();
        moveCamera(flightInput.mouseButton == 1);
    }
    if (flightInput.tilt != 0.0f) rollCamera();
}
