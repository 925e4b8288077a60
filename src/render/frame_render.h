#pragma once
// Drawing one frame of the scene and showing it.
#include "geometry/celestial_body.h"

// Clears, sets the camera, draws the sky and the twelve bodies in list order (each turned by its orbit
// and spin, skipped when wholly out of view, reduced by its level-of-detail tree and lit), and swaps
// the buffers. Leaves the GL state as it found it.
void drawFrame();

// The same frame in every view of frameViews (the primary first, each into its own drawable, swapped
// there), with what the scene is at this moment decided once for all of them; drawFrame itself when
// the list is empty.
void drawFrameOnEveryView();

// Draws one body's visible triangles in one glBegin/glEnd block, with the body's transform already set:
// the whole-body test, one level-of-detail step and (for the planets and the Moon) the lighting pass.
void drawBody(CelestialBody* body);

// Multiplies the body's orbit and spin turns onto the current matrix, as every frame draws it: the spin
// about the body's own vertical (not for the ring), for the Moon its swing about the Earth's vertical,
// then the orbit about the Sun's.
void turnBodyAsDrawn(const CelestialBody* body);
