// Saturn's ring: a flat annulus of 100 sections with a rectangular cross-section (radii 75 to 130,
// thickness 0.2 table units), tilted 7.5 degrees about the table y axis and slightly off centre.
//
// Section s lies at angle 90 - 3.6 s degrees (clockwise from +y). Its corners, vertex 4s + c, are
// c0 outer bottom, c1 outer top, c2 inner top, c3 inner bottom.
#include <cmath>

#include "geometry/mesh_tables.h"

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double TILT = 7.5 * PI / 180.0;
constexpr double CENTRE_X = 0.7366;
constexpr double CENTRE_Y = -0.3683;
constexpr double OUTER_RADIUS = 130.0;
constexpr double INNER_RADIUS = 75.0;
constexpr double THICKNESS = 0.2;

// (radius, height) of corners c0..c3 in the ring plane.
constexpr double CORNER_SHAPE[4][2] = {
    {OUTER_RADIUS, 0.0}, {OUTER_RADIUS, THICKNESS}, {INNER_RADIUS, THICKNESS}, {INNER_RADIUS, 0.0}};

float ringVertices[RING_VERTEX_COUNT][3];
int32_t ringTriangles[RING_TRIANGLE_COUNT][3];
float ringTexCoords[RING_TEX_COORD_COUNT][2];
int32_t ringTriangleTexIndices[RING_TRIANGLE_COUNT][3];

// Texture grid of 101 rows (v = row / 100) by 5 columns (u = column / 4). Row 0 stores only columns
// 1 to 4 (entries 0 to 3) and, at the very end, column 0 (entry 504).
constexpr int LAST_ENTRY = RING_TEX_COORD_COUNT - 1;

int gridEntry(int row, int column) {
    if (row == 0) return column == 0 ? LAST_ENTRY : column - 1;
    return 4 + 5 * (row - 1) + column;
}

void placeVertices() {
    for (int s = 0; s < RING_SECTIONS; ++s) {
        const double phi = (90.0 - 3.6 * s) * PI / 180.0;
        for (int c = 0; c < 4; ++c) {
            const double r = CORNER_SHAPE[c][0], h = CORNER_SHAPE[c][1];
            float* v = ringVertices[4 * s + c];
            v[0] = static_cast<float>(CENTRE_X + r * std::cos(phi) * std::cos(TILT) - h * std::sin(TILT));
            v[1] = static_cast<float>(CENTRE_Y + r * std::sin(phi));
            v[2] = static_cast<float>(r * std::cos(phi) * std::sin(TILT) + h * std::cos(TILT));
        }
    }
}

void fillTexGrid() {
    for (int row = 0; row <= RING_SECTIONS; ++row) {
        for (int column = 0; column <= 4; ++column) {
            float* entry = ringTexCoords[gridEntry(row, column)];
            entry[0] = static_cast<float>(column / 4.0);
            entry[1] = static_cast<float>(row / 100.0);
        }
    }
}

// Texture entry of corner c of section `section` (0 to 100; 100 is section 0 reached again when the
// last section closes the ring). The outer, top and inner faces give corner ck the column k + 1.
// On the bottom face c0 takes column 0 one row ahead of its section (row s + 1 for this section,
// s + 2 for the next), wrapping to row 0 only when the closing section reaches back to section 0.
int cornerEntry(int section, int c, bool bottomFace) {
    if (bottomFace && c == 0) return gridEntry((section + 1) % (RING_SECTIONS + 1), 0);
    return gridEntry(section, c + 1);
}

void addTriangles() {
    // Per section: two triangles per face of the cross-section, as (section offset, corner) pairs,
    // offset 0 for this section and 1 for the next. Faces: outer, top, inner, bottom.
    constexpr int SHAPE[8][3][2] = {
        {{0, 0}, {1, 1}, {1, 0}}, {{0, 0}, {0, 1}, {1, 1}},  // outer (c0-c1)
        {{0, 1}, {1, 2}, {1, 1}}, {{0, 1}, {0, 2}, {1, 2}},  // top (c1-c2)
        {{0, 2}, {1, 3}, {1, 2}}, {{0, 2}, {0, 3}, {1, 3}},  // inner (c2-c3)
        {{0, 3}, {1, 0}, {1, 3}}, {{0, 3}, {0, 0}, {1, 0}},  // bottom (c3-c0)
    };
    int t = 0;
    for (int s = 0; s < RING_SECTIONS; ++s) {
        for (int k = 0; k < 8; ++k, ++t) {
            const bool bottomFace = k >= 6;
            for (int corner = 0; corner < 3; ++corner) {
                const int offset = SHAPE[k][corner][0], c = SHAPE[k][corner][1];
                const int section = s + offset;  // 100 for section 0 reached from section 99
                ringTriangles[t][corner] = 4 * (section % RING_SECTIONS) + c;
                ringTriangleTexIndices[t][corner] = cornerEntry(section, c, bottomFace);
            }
        }
    }
}

bool generateRingTables() {
    placeVertices();
    fillTexGrid();
    addTriangles();
    return true;
}

[[maybe_unused]] const bool ringTablesReady = generateRingTables();

}  // namespace

const MeshTables RingTables = {RING_VERTEX_COUNT, RING_TRIANGLE_COUNT, RING_TEX_COORD_COUNT, ringVertices,
                               ringTriangles,     ringTexCoords,       ringTriangleTexIndices};
