#pragma once
// The fixed-rate update, one step per tick (ticks are more than 20 ms apart): orbits, spin, the normals
// that keep each lit side towards the Sun, and the camera, from the tour or by manual flight.
#include <cstdint>

#include "geometry/celestial_body.h"

// The tour parameter's range: it starts at 0, and once moving stays in 1..PATH_LAST.
constexpr int32_t PATH_LAST = 36999;

void updateTick();

// Sets every normal of the body (mesh vertices in array order, then the representatives in list order)
// to its normal as built, turned by axisAngleMatrix(axis, degrees). Deriving the turned normals from the
// built ones each time keeps them unit length and in step with the drawn spin however long the saver
// runs; turning them a little further each tick would let rounding pile up.
void turnBodyNormals(CelestialBody* body, float degrees, const float axis[3]);

// The tick's readings of stored options that the dialog keeps in range but the registry may not.
int32_t planetSpeedLevel(int32_t planetSpeed);  // 0..5
int32_t cameraSpeedStep(int32_t cameraSpeed);   // 1..5
// The next tour parameter: 2 x step further, back to 1 past PATH_LAST.
int32_t nextPathPosition(int32_t position, int32_t cameraSpeed);
