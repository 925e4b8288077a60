#include "scene/manual_flight.h"

#include "scene/flight_input.h"
#include "scene/rotation.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"

void steerCamera() {
    float d[3] = {scene.target[0] - scene.eye[0], scene.target[1] - scene.eye[1], scene.target[2] - scene.eye[2]};
    float u[3] = {scene.up[0], scene.up[1], scene.up[2]};
    const float yaw = static_cast<float>(flightInput.steerCursor.x) * flightInput.mouseScaleX - 2.0f;
    float pitch = static_cast<float>(flightInput.steerCursor.y) * flightInput.mouseScaleY - 2.0f;
    if (saverSettings.InvertMouse) pitch = -pitch;

    rotateVector(d, axisAngleMatrix(u, yaw));
    // The viewer's right, from the turned D and the unturned up; not normalised.
    const float right[3] = {d[1] * u[2] - d[2] * u[1], d[2] * u[0] - d[0] * u[2], d[0] * u[1] - d[1] * u[0]};
    const RotationMatrix pitchTurn = axisAngleMatrix(right, pitch);
    rotateVector(d, pitchTurn);
    rotateVector(u, pitchTurn);

    for (int k = 0; k < 3; ++k) {
        scene.up[k] = u[k];
        scene.target[k] = scene.eye[k] + d[k];
    }
}

void moveCamera(bool forward) {
    for (int k = 0; k < 3; ++k) {
        const float delta = flightInput.thrust * (scene.target[k] - scene.eye[k]);
        if (forward) {
            scene.eye[k] += delta;
            scene.target[k] += delta;
        } else {
            scene.eye[k] -= delta;
            scene.target[k] -= delta;
        }
    }
}

void rollCamera() {
    const float d[3] = {scene.target[0] - scene.eye[0], scene.target[1] - scene.eye[1],
                        scene.target[2] - scene.eye[2]};
    rotateVector(scene.up, axisAngleMatrix(d, flightInput.tilt));
}
