// The geodesic sphere: an icosahedron whose edges and faces are divided ten times by equal angles
// along great circles, radius 202.22 table units, north pole at +z.
//
// Vertex order: the 12 icosahedron corners, then 9 points on each of the 30 edges (edge by edge,
// running from the edge's first corner), then the 36 interior points of each of the 20 faces (face
// by face, row by row from the face's apex). Positions are computed in double precision and stored
// as floats.
#include <algorithm>
#include <cmath>

#include "geometry/mesh_tables.h"

namespace {

constexpr int FREQUENCY = 10;               // subdivisions per icosahedron edge
constexpr int EDGE_POINTS = FREQUENCY - 1;  // inner points per edge
constexpr int FIRST_EDGE_POINT = 12;
constexpr int FIRST_FACE_POINT = FIRST_EDGE_POINT + 30 * EDGE_POINTS;  // 282
constexpr int FACE_POINTS = 36;             // interior lattice points per face
constexpr int NORTH_POLE = 0;
constexpr int SOUTH_POLE = 11;
constexpr double PI = 3.14159265358979323846;

// Texture coordinates are kept in units of 1e-4 while they are built, so that "rounded to four
// decimals" and "differs from the vertex's own entry" are exact integer questions.
constexpr long TEX_ONE = 10000;

// Icosahedron edges (a, b); edge points run from a towards b.
constexpr int EDGES[30][2] = {
    {0, 1},  {0, 2},  {0, 3},  {0, 4},  {0, 5},  {1, 2},  {2, 3},  {3, 4},  {4, 5},  {5, 1},
    {1, 6},  {2, 7},  {3, 8},  {4, 9},  {5, 10}, {1, 10}, {2, 6},  {3, 7},  {4, 8},  {5, 9},
    {6, 7},  {7, 8},  {8, 9},  {9, 10}, {10, 6}, {11, 6}, {11, 7}, {11, 8}, {11, 9}, {11, 10}};

// Icosahedron faces (apex, B, C), counter-clockwise seen from outside.
constexpr int FACES[20][3] = {
    {0, 1, 2},  {0, 2, 3},  {0, 3, 4},  {0, 4, 5},  {0, 5, 1},  {1, 10, 6}, {2, 6, 7},
    {3, 7, 8},  {4, 8, 9},  {5, 9, 10}, {6, 2, 1},  {7, 3, 2},  {8, 4, 3},  {9, 5, 4},
    {10, 1, 5}, {11, 7, 6}, {11, 8, 7}, {11, 9, 8}, {11, 10, 9}, {11, 6, 10}};

float sphereVertices[SPHERE_VERTEX_COUNT][3];
int32_t sphereTriangles[SPHERE_TRIANGLE_COUNT][3];
float sphereTexCoords[SPHERE_TEX_COORD_COUNT][2];
int32_t sphereTriangleTexIndices[SPHERE_TRIANGLE_COUNT][3];

struct Point {
    double x, y, z;
};

// The point at `fraction` of the great-circle arc from a to b (equal angles, not equal chords).
// Both ends lie on the sphere, and so does the result.
Point arcPoint(const Point& a, const Point& b, double fraction) {
    const double r2 = a.x * a.x + a.y * a.y + a.z * a.z;
    double cosine = (a.x * b.x + a.y * b.y + a.z * b.z) / r2;
    cosine = std::fmax(-1.0, std::fmin(1.0, cosine));
    const double angle = std::acos(cosine);
    const double wa = std::sin((1.0 - fraction) * angle) / std::sin(angle);
    const double wb = std::sin(fraction * angle) / std::sin(angle);
    return {wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z};
}

class SphereBuilder {
public:
    void build() {
        placeCorners();
        placeEdgePoints();
        for (int face = 0; face < 20; ++face) placeFacePoints(face);
        for (int face = 0; face < 20; ++face) addFaceTriangles(face);
        for (int i = 0; i < SPHERE_VERTEX_COUNT; ++i) {
            sphereVertices[i][0] = static_cast<float>(points_[i].x);
            sphereVertices[i][1] = static_cast<float>(points_[i].y);
            sphereVertices[i][2] = static_cast<float>(points_[i].z);
        }
        assignTexCoords();
    }

private:
    void placeCorners() {
        const double r = SPHERE_RADIUS;
        const double ringZ = r / std::sqrt(5.0);
        const double ringRadius = 2.0 * r / std::sqrt(5.0);
        points_[NORTH_POLE] = {0.0, 0.0, r};
        points_[SOUTH_POLE] = {0.0, 0.0, -r};
        for (int k = 0; k < 5; ++k) {
            const double upper = (72.0 * k) * PI / 180.0;
            const double lower = (36.0 + 72.0 * k) * PI / 180.0;
            points_[1 + k] = {ringRadius * std::cos(upper), ringRadius * std::sin(upper), ringZ};
            points_[6 + k] = {ringRadius * std::cos(lower), ringRadius * std::sin(lower), -ringZ};
        }
    }

    void placeEdgePoints() {
        for (int e = 0; e < 30; ++e) {
            for (int j = 1; j <= EDGE_POINTS; ++j) {
                points_[FIRST_EDGE_POINT + EDGE_POINTS * e + j - 1] =
                    arcPoint(points_[EDGES[e][0]], points_[EDGES[e][1]], static_cast<double>(j) / FREQUENCY);
            }
        }
    }

    // The vertex `step` tenths of the way from corner a to corner b along their edge.
    static int edgeVertex(int a, int b, int step) {
        if (step == 0) return a;
        if (step == FREQUENCY) return b;
        for (int e = 0; e < 30; ++e) {
            if (EDGES[e][0] == a && EDGES[e][1] == b) return FIRST_EDGE_POINT + EDGE_POINTS * e + step - 1;
            if (EDGES[e][0] == b && EDGES[e][1] == a)
                return FIRST_EDGE_POINT + EDGE_POINTS * e + (FREQUENCY - step) - 1;
        }
        return -1;  // not an edge of the icosahedron: cannot happen for the faces above
    }

    // Vertex of lattice point P(r, k) of a face: row r from the apex, k from the apex-B side.
    static int latticeVertex(int face, int r, int k) {
        const int apex = FACES[face][0], b = FACES[face][1], c = FACES[face][2];
        if (k == 0) return edgeVertex(apex, b, r);
        if (k == r) return edgeVertex(apex, c, r);
        if (r == FREQUENCY) return edgeVertex(b, c, k);
        return FIRST_FACE_POINT + FACE_POINTS * face + (r - 2) * (r - 1) / 2 + (k - 1);
    }

    void placeFacePoints(int face) {
        for (int r = 2; r < FREQUENCY; ++r) {
            const Point& rowStart = points_[latticeVertex(face, r, 0)];
            const Point& rowEnd = points_[latticeVertex(face, r, r)];
            for (int k = 1; k < r; ++k) {
                points_[latticeVertex(face, r, k)] = arcPoint(rowStart, rowEnd, static_cast<double>(k) / r);
            }
        }
    }

    void addFaceTriangles(int face) {
        for (int r = 1; r <= FREQUENCY; ++r) {
            for (int k = 0; k < r; ++k) {
                addTriangle(latticeVertex(face, r - 1, k), latticeVertex(face, r, k), latticeVertex(face, r, k + 1));
                if (k < r - 1) {
                    addTriangle(latticeVertex(face, r - 1, k), latticeVertex(face, r, k + 1),
                                latticeVertex(face, r - 1, k + 1));
                }
            }
        }
    }

    void addTriangle(int a, int b, int c) {
        if (triangleCount_ >= SPHERE_TRIANGLE_COUNT) return;
        sphereTriangles[triangleCount_][0] = a;
        sphereTriangles[triangleCount_][1] = b;
        sphereTriangles[triangleCount_][2] = c;
        ++triangleCount_;
    }

    static long toTexUnits(double value) { return std::lround(value * TEX_ONE); }

    // Own entries: v from the latitude, u from the longitude with the seam on the -x meridian.
    // Both come from the double-precision point (the float pole lies a hair outside the sphere).
    void assignOwnTexCoords(long (*own)[2]) const {
        for (int i = 0; i < SPHERE_VERTEX_COUNT; ++i) {
            const Point& p = points_[i];
            const double sine = std::fmax(-1.0, std::fmin(1.0, p.z / SPHERE_RADIUS));
            long u = toTexUnits(0.5 + std::atan2(p.y, p.x) / (2.0 * PI));
            if (u >= TEX_ONE) u -= TEX_ONE;  // wrapped after rounding: seam points get u = 0
            own[i][0] = u;
            own[i][1] = toTexUnits(0.5 + std::asin(sine) / PI);
        }
        // The poles' own entries are those of one of their five triangles.
        own[NORTH_POLE][0] = 4000;
        own[NORTH_POLE][1] = TEX_ONE;
        own[SOUTH_POLE][0] = 5000;
        own[SOUTH_POLE][1] = 0;
    }

    void assignTexCoords() {
        static long own[SPHERE_VERTEX_COUNT][2];
        assignOwnTexCoords(own);
        for (int i = 0; i < SPHERE_VERTEX_COUNT; ++i) storeTexCoord(i, own[i][0], own[i][1]);

        int next = SPHERE_VERTEX_COUNT;
        for (int t = 0; t < SPHERE_TRIANGLE_COUNT; ++t) {
            const int32_t* corner = sphereTriangles[t];
            long uv[3][2];
            long lowest = TEX_ONE, highest = -TEX_ONE;
            for (int c = 0; c < 3; ++c) {
                uv[c][0] = own[corner[c]][0];
                uv[c][1] = own[corner[c]][1];
                if (isPole(corner[c])) continue;
                lowest = std::min(lowest, uv[c][0]);
                highest = std::max(highest, uv[c][0]);
            }
            // A triangle straddling the seam takes its u > 0.5 corners one turn back (u - 1).
            if (highest - lowest > TEX_ONE / 2) {
                for (int c = 0; c < 3; ++c) {
                    if (!isPole(corner[c]) && uv[c][0] > TEX_ONE / 2) uv[c][0] -= TEX_ONE;
                }
            }
            // A pole corner sits at the mean longitude of the other two corners.
            for (int c = 0; c < 3; ++c) {
                if (!isPole(corner[c])) continue;
                const long sum = uv[(c + 1) % 3][0] + uv[(c + 2) % 3][0];
                uv[c][0] = std::lround(static_cast<double>(sum) / 2.0);
                uv[c][1] = corner[c] == NORTH_POLE ? TEX_ONE : 0;
            }
            for (int c = 0; c < 3; ++c) {
                int index = corner[c];
                if (uv[c][0] != own[index][0] || uv[c][1] != own[index][1]) {
                    index = next++;
                    if (index < SPHERE_TEX_COORD_COUNT) storeTexCoord(index, uv[c][0], uv[c][1]);
                }
                sphereTriangleTexIndices[t][c] = index;
            }
        }
    }

    static bool isPole(int vertex) { return vertex == NORTH_POLE || vertex == SOUTH_POLE; }

    static void storeTexCoord(int index, long u, long v) {
        sphereTexCoords[index][0] = static_cast<float>(static_cast<double>(u) / TEX_ONE);
        sphereTexCoords[index][1] = static_cast<float>(static_cast<double>(v) / TEX_ONE);
    }

    Point points_[SPHERE_VERTEX_COUNT] = {};
    int triangleCount_ = 0;
};

bool generateSphereTables() {
    static SphereBuilder builder;
    builder.build();
    return true;
}

[[maybe_unused]] const bool sphereTablesReady = generateSphereTables();

}  // namespace

const MeshTables SphereTables = {SPHERE_VERTEX_COUNT, SPHERE_TRIANGLE_COUNT,   SPHERE_TEX_COORD_COUNT,
                                 sphereVertices,      sphereTriangles,         sphereTexCoords,
                                 sphereTriangleTexIndices};
