#include "scene/update_tick.h"

#include <cmath>

#include "platform/platform.h"
#include "scene/flight_input.h"
#include "scene/manual_flight.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"

namespace {

constexpr float SPIN_STEP = 0.5f;  // degrees per tick

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

void placeSunInBodyFrames(CelestialBody* bodies, float spinDegrees) {
    // glRotatef(a, 0, 1, 0) turns (x, z) to (x cos a + z sin a, -x sin a + z cos a); turnBack undoes it
    // about the vertical through `centre`.
    const double radians = spinDegrees * (3.14159265358979323846 / 180.0);
    const double c = std::cos(radians), s = std::sin(radians);
    const auto turnBack = [c, s](double point[3], const float centre[3]) {
        const double x = point[0] - centre[0], z = point[2] - centre[2];
        point[0] = centre[0] + x * c - z * s;
        point[2] = centre[2] + x * s + z * c;
    };
    for (CelestialBody* body = bodies; body; body = body->next) {
        double sun[3] = {0.0, 0.0, 0.0};
        if (body->index == MOON_INDEX) turnBack(sun, EARTH_CENTRE);
        if (body->index != RING_INDEX) turnBack(sun, body->position);
        for (int k = 0; k < 3; ++k) body->lightPosition[k] = static_cast<float>(sun[k]);
    }
}

void updateTick() {
    const int32_t level = planetSpeedLevel(saverSettings.PlanetSpeed);
    for (int i = 0; i < BODY_COUNT; ++i) scene.orbitAngle[i] = advanceAngle(scene.orbitAngle[i], scene.orbitStep[i][level]);
    scene.spinAngle = advanceAngle(scene.spinAngle, SPIN_STEP);

    placeSunInBodyFrames(scene.bodies, scene.spinAngle);

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
