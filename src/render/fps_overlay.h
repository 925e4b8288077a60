#pragma once
// The frame counter: frames per second and the triangles of the last frame, in white on a dark band
// in the lower left corner, lettered with a small built-in bitmap font through the GL table (no
// system fonts).
#include <cstdint>
#include <string>

// Starts counting the triangles the frame code sends: wraps glApi's glBegin and glVertex3f with
// counting versions that call the driver's. Call once after the table is loaded.
void countDrawnTriangles();
// Triangles sent since the last call (vertices inside glBegin(GL_TRIANGLES) blocks, divided by 3).
int64_t takeTriangleCount();

// The overlay's text, e.g. "49.8 FPS  10412 TRIANGLES".
std::string frameCounterText(double framesPerSecond, int64_t triangles);

// Draws `text` (digits, capitals, '.', ' ') with its lower left corner `margin` pixels in from the
// lower left of a width x height viewport, each font cell `scale` pixels square. Leaves the GL state,
// the matrices and the current matrix mode as they were.
void drawOverlayText(const std::string& text, int width, int height, int scale);

// Cells of one glyph: 5 columns by 7 rows, row 0 at the top, bit 4 the leftmost column. Unknown
// characters are blank.
const unsigned char* overlayGlyph(char character);
