#pragma once
// The scene the frame render and the update tick share: camera, orbit and spin angles, the bodies.
#include <cstdint>

#include "geometry/celestial_body.h"
#include "scene/star_field.h"
#include "scene/tour_spline.h"

constexpr int PLANET_SPEED_LEVELS = 6;  // 0 (still) and the dialog's 1 to 5

struct Scene {
    float eye[3];                                        // camera position, scene units
    float target[3];                                     // the point the camera looks at
    float up[3];                                         // camera up vector
    float orbitAngle[BODY_COUNT];                        // degrees about the vertical through the Sun
    float orbitStep[BODY_COUNT][PLANET_SPEED_LEVELS];    // degrees per tick, by PlanetSpeed
    float spinAngle;                                     // degrees, every body but the ring
    int32_t glowAngle;                                   // degrees, the Sun glow's turn
    int32_t pathPosition;                                // autopilot position along the tour
    CelestialBody* bodies;                               // head of the twelve, in drawing order
    StarField* stars;                                    // the sky
    CameraSpline eyePath[3];                             // eye x, y, z over pathPosition
    CameraSpline targetPath[3];                          // target x, y, z over pathPosition
};

extern Scene scene;

// The tour's first point: the camera of the first frame.
constexpr float INITIAL_EYE[3] = {-224.792f, 432.066f, 949.615f};
constexpr float INITIAL_TARGET[3] = {-224.635f, 431.627f, 948.73f};

// Each body's orbit steps: 0 at level 0, then its factor times 0.05, 0.1, 0.2, 0.3 and 0.4, the 32-bit
// factor times the double multiplier rounded to 32 bits. The Moon keeps the Earth's factor and the ring
// Saturn's, so they stay with their planets.
void fillOrbitSteps(float steps[BODY_COUNT][PLANET_SPEED_LEVELS]);
