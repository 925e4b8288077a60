#include "render/fps_overlay.h"

#include <cstdio>

#include "gl/gl_api.h"

namespace {

// glPushAttrib groups (GL/gl.h).
constexpr GLbitfield CURRENT_BIT = 0x00000001;
constexpr GLbitfield ENABLE_BIT = 0x00002000;

struct OverlayGlyph {
    char character;
    unsigned char rows[7];
};

// Only the characters the counter writes.
const OverlayGlyph GLYPHS[] = {
    {'0', {0x0e, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0e}}, {'1', {0x04, 0x0c, 0x04, 0x04, 0x04, 0x04, 0x0e}},
    {'2', {0x0e, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1f}}, {'3', {0x1f, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0e}},
    {'4', {0x02, 0x06, 0x0a, 0x12, 0x1f, 0x02, 0x02}}, {'5', {0x1f, 0x10, 0x1e, 0x01, 0x01, 0x11, 0x0e}},
    {'6', {0x06, 0x08, 0x10, 0x1e, 0x11, 0x11, 0x0e}}, {'7', {0x1f, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0e, 0x11, 0x11, 0x0e, 0x11, 0x11, 0x0e}}, {'9', {0x0e, 0x11, 0x11, 0x0f, 0x01, 0x02, 0x0c}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0c, 0x0c}}, {'A', {0x0e, 0x11, 0x11, 0x1f, 0x11, 0x11, 0x11}},
    {'E', {0x1f, 0x10, 0x10, 0x1e, 0x10, 0x10, 0x1f}}, {'F', {0x1f, 0x10, 0x10, 0x1e, 0x10, 0x10, 0x10}},
    {'G', {0x0e, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0f}}, {'I', {0x0e, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0e}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1f}}, {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'P', {0x1e, 0x11, 0x11, 0x1e, 0x10, 0x10, 0x10}}, {'R', {0x1e, 0x11, 0x11, 0x1e, 0x14, 0x12, 0x11}},
    {'S', {0x0f, 0x10, 0x10, 0x0e, 0x01, 0x01, 0x1e}}, {'T', {0x1f, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
};
const unsigned char BLANK[7] = {};

constexpr int CELL_COLUMNS = 6;  // five lit columns and one of spacing
constexpr int CELL_ROWS = 7;

// The driver's own entry points, called by the counting wrappers.
void(ORB_GLAPI* driverBegin)(GLenum) = nullptr;
void(ORB_GLAPI* driverVertex3f)(GLfloat, GLfloat, GLfloat) = nullptr;
bool insideTriangles = false;
int64_t verticesInTriangles = 0;

void ORB_GLAPI countingBegin(GLenum mode) {
    insideTriangles = mode == GL_TRIANGLES;
    driverBegin(mode);
}

void ORB_GLAPI countingVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (insideTriangles) ++verticesInTriangles;
    driverVertex3f(x, y, z);
}

}  // namespace

void countDrawnTriangles() {
    if (glApi.glBegin == countingBegin) return;
    driverBegin = glApi.glBegin;
    driverVertex3f = glApi.glVertex3f;
    glApi.glBegin = countingBegin;
    glApi.glVertex3f = countingVertex3f;
}

int64_t takeTriangleCount() {
    const int64_t triangles = verticesInTriangles / 3;
    verticesInTriangles = 0;
    return triangles;
}

std::string frameCounterText(double framesPerSecond, int64_t triangles) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f FPS  %lld TRIANGLES", framesPerSecond, static_cast<long long>(triangles));
    return text;
}

const unsigned char* overlayGlyph(char character) {
    for (const OverlayGlyph& glyph : GLYPHS)
        if (glyph.character == character) return glyph.rows;
    return BLANK;
}

void drawOverlayText(const std::string& text, int width, int height, int scale) {
    if (scale < 1) scale = 1;
    const float cell = static_cast<float>(scale);
    const float margin = 2.0f * cell;
    glPushAttrib(ENABLE_BIT | CURRENT_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // One unit per pixel, origin at the lower left of the viewport.
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    const float textWidth = static_cast<float>(text.size() * CELL_COLUMNS) * cell;
    glColor3f(0.0f, 0.0f, 0.15f);
    glRectf(margin - cell, margin - cell, margin + textWidth, margin + (CELL_ROWS + 1) * cell);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char* rows = overlayGlyph(text[i]);
        const float left = margin + static_cast<float>(i * CELL_COLUMNS) * cell;
        for (int row = 0; row < CELL_ROWS; ++row) {
            const float bottom = margin + static_cast<float>(CELL_ROWS - 1 - row) * cell;
            for (int column = 0; column < 5; ++column)
                if (rows[row] & (0x10 >> column))
                    glRectf(left + column * cell, bottom, left + (column + 1) * cell, bottom + cell);
        }
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
