#pragma once
// The fixed-rate update, one step per tick (ticks are more than 20 ms apart): orbits, spin, where the
// Sun stands for each body's lighting, and the camera, from the tour or by manual flight.
#include <cstdint>

#include "geometry/celestial_body.h"

// The tour parameter's range: it starts at 0, and once moving stays in 1..PATH_LAST.
constexpr int32_t PATH_LAST = 36999;

void updateTick();

// Puts the Sun (the origin of the scene) into each body's lightPosition, in the body's own unturned
// frame: the inverse of the turns the frame render draws it with (the spin about its own vertical by
// spinDegrees and, for the Moon, the swing about the Earth's vertical by the same angle), applied to
// the origin. The orbit turns about the Sun itself and so leaves it where it is; the ring is not lit.
// Lighting the unturned vertices with their built normals from there gives each vertex the light its
// drawn position and drawn normal get.
void placeSunInBodyFrames(CelestialBody* bodies, float spinDegrees);

// The tick's readings of stored options that the dialog keeps in range but the registry may not.
int32_t planetSpeedLevel(int32_t planetSpeed);  // 0..5
int32_t cameraSpeedStep(int32_t cameraSpeed);   // 1..5
// The next tour parameter: 2 x step further, back to 1 past PATH_LAST.
int32_t nextPathPosition(int32_t position, int32_t cameraSpeed);
