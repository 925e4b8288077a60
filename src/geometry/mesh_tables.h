#pragma once
// The two built-in meshes in table coordinates: a geodesic sphere (Sun, planets, Moon) and a flat
// ring with a thin rectangular cross-section (Saturn's ring). Table z is the sphere's polar axis,
// north pole at +z. Body construction copies, scales and places them; nothing writes them.
//
// Triangles are counter-clockwise seen from outside in table coordinates. Texture coordinates are
// rounded to four decimal places; u may fall slightly below 0 (the texture repeats).
#include <cstdint>

struct MeshTables {
    int32_t vertexCount;
    int32_t triangleCount;
    int32_t texCoordCount;
    const float (*vertices)[3];             // x, y, z
    const int32_t (*triangles)[3];          // vertex indices, 0-based
    const float (*texCoords)[2];            // u, v
    const int32_t (*triangleTexIndices)[3]; // texCoords index per corner, same corner order
};

constexpr float SPHERE_RADIUS = 202.22f;      // table units
constexpr int SPHERE_VERTEX_COUNT = 1002;
constexpr int SPHERE_TRIANGLE_COUNT = 2000;
constexpr int SPHERE_TEX_COORD_COUNT = 1096;  // one per vertex and 94 for seam and pole corners

constexpr int RING_SECTIONS = 100;
constexpr int RING_VERTEX_COUNT = 400;
constexpr int RING_TRIANGLE_COUNT = 800;
constexpr int RING_TEX_COORD_COUNT = 505;

// Generated once during static initialisation, before any code of the saver runs.
extern const MeshTables SphereTables;
extern const MeshTables RingTables;
