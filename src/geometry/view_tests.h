#pragma once
// The whole-body view test and the matrix-vector product it and the level-of-detail step use.
// Matrices are OpenGL's: 4 x 4 floats in column-major order.
#include "geometry/celestial_body.h"

// Replaces point (x, y, z, w) by matrix x point.
void transformPoint(float point[4], const float matrix[16]);

// 1 when the body is entirely out of view, 0 otherwise, by the current modelview and projection
// matrices (read through glGetFloatv). The body's box is out of view when all eight of its corners lie
// outside the same one of the six planes of the view volume, in clip space before the divide
// (x < -w, x > w, y < -w, y > w, z < -w, z > w). Any box that might put a part of the body on screen
// is kept, however close: a planet filling the screen with its centre behind the camera is drawn.
int bodyOffScreen(const CelestialBody* body);
// The same test by the given matrices.
int bodyOffScreenIn(const CelestialBody* body, const float modelview[16], const float projection[16]);
