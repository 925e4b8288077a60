#pragma once
// The whole-body view test and the matrix-vector product it and the level-of-detail step use.
// Matrices are OpenGL's: 4 x 4 floats in column-major order.
#include "geometry/celestial_body.h"

// Replaces point (x, y, z, w) by matrix x point.
void transformPoint(float point[4], const float matrix[16]);

// 1 when the body is entirely out of view, 0 otherwise, by the current modelview and projection
// matrices (read through glGetFloatv). Only nine points are tested: the box centre, then the eight
// box corners. A point is in view when it lies in front of the camera (clip z > 0) and inside the
// window widened by 20 % on every side (normalised x and y within +-1.2). A body whose nine points
// all miss is skipped even when its faces cross the view.
int bodyOffScreen(const CelestialBody* body);
