#pragma once
// Pictures of the textured bodies as the saver shows them, for the title picture and the contact sheet.
// Views are orthographic, x to the right and y downwards on the canvas.
#include "det_math.h"
#include "picture.h"

// Bilinear sample of a sphere map at (u, v), wrapping in u and clamping in v, rows from the south.
Rgb sampleMap(const Picture& map, double u, double v);

struct GlobeView {
    double centreX = 0, centreY = 0, radius = 10;  // canvas pixels
    double facingLongitude = 0;  // the longitude (180 - 360 u) at the centre of the disc
    double tiltDegrees = 0;      // positive shows more of the north pole
    Vec3 light{0, 0, 1};         // towards the light: x right, y up, z towards the viewer
    double ambient = 1.0;        // 1 = no shading
    bool limbDarkening = false;  // for the Sun
};

// Draws the body over the canvas (row 0 at the top), anti-aliased at the rim. The map is laid on the
// sphere exactly as the saver's mesh does: the body frame swaps the table's y and z.
void drawGlobe(Canvas* canvas, const Picture& map, const GlobeView& view);

struct RingView {
    double centreX = 0, centreY = 0;
    double outerRadius = 60, innerRadius = 35;  // canvas pixels
    double tiltDegrees = 25;                    // 90 = seen face-on
    bool fromBelow = false;                     // the bottom face reads the texture's whole width
    double opacity = 0.6;                       // the saver draws the ring with vertex alpha 0.6
    double planetRadius = 0;                    // > 0: the ring's far half hides behind a planet this big
};

// Draws the ring (both halves, or only the near half when `nearHalfOnly`).
void drawRing(Canvas* canvas, const Picture& ring, const RingView& view, bool nearHalfOnly);
