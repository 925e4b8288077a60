#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "geometry/mesh_tables.h"

namespace {

struct Vec {
    double x, y, z;
};

Vec vertex(const MeshTables& tables, int i) {
    return {tables.vertices[i][0], tables.vertices[i][1], tables.vertices[i][2]};
}
Vec sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// (B - A) x (C - A) of a stored triangle.
Vec faceNormal(const MeshTables& tables, int t) {
    const int32_t* c = tables.triangles[t];
    const Vec a = vertex(tables, c[0]);
    return cross(sub(vertex(tables, c[1]), a), sub(vertex(tables, c[2]), a));
}

float cornerU(const MeshTables& tables, int t, int c) { return tables.texCoords[tables.triangleTexIndices[t][c]][0]; }
float cornerV(const MeshTables& tables, int t, int c) { return tables.texCoords[tables.triangleTexIndices[t][c]][1]; }

// Shared by both meshes: indices in range, distinct corners, every vertex used, and a closed,
// consistently wound surface (each directed edge appears once and its reverse once).
void expectClosedMesh(const MeshTables& tables) {
    std::map<std::pair<int, int>, int> directed;
    std::vector<int> uses(tables.vertexCount, 0);
    for (int t = 0; t < tables.triangleCount; ++t) {
        const int32_t* c = tables.triangles[t];
        for (int k = 0; k < 3; ++k) {
            ASSERT_GE(c[k], 0);
            ASSERT_LT(c[k], tables.vertexCount);
            ASSERT_GE(tables.triangleTexIndices[t][k], 0);
            ASSERT_LT(tables.triangleTexIndices[t][k], tables.texCoordCount);
            ++uses[c[k]];
            ++directed[{c[k], c[(k + 1) % 3]}];
        }
        EXPECT_TRUE(c[0] != c[1] && c[1] != c[2] && c[0] != c[2]) << "triangle " << t;
    }
    for (const auto& [edge, count] : directed) {
        EXPECT_EQ(count, 1) << edge.first << "-" << edge.second;
        EXPECT_EQ(directed.count({edge.second, edge.first}), 1u) << edge.first << "-" << edge.second;
    }
    for (int v = 0; v < tables.vertexCount; ++v) EXPECT_GT(uses[v], 0) << "vertex " << v;
}

TEST(SphereTables, CountsAndClosedSurface) {
    const MeshTables& s = SphereTables;
    EXPECT_EQ(s.vertexCount, 1002);
    EXPECT_EQ(s.triangleCount, 2000);
    EXPECT_EQ(s.texCoordCount, 1096);
    expectClosedMesh(s);

    std::set<std::pair<int, int>> edges;
    std::vector<std::set<int>> neighbours(s.vertexCount);
    for (int t = 0; t < s.triangleCount; ++t) {
        for (int k = 0; k < 3; ++k) {
            const int a = s.triangles[t][k], b = s.triangles[t][(k + 1) % 3];
            edges.insert({std::min(a, b), std::max(a, b)});
            neighbours[a].insert(b);
            neighbours[b].insert(a);
        }
    }
    EXPECT_EQ(edges.size(), 3000u);
    int five = 0, six = 0;
    for (int v = 0; v < s.vertexCount; ++v) {
        if (neighbours[v].size() == 5) {
            ++five;
            EXPECT_LT(v, 12) << "only the icosahedron corners have five neighbours";
        }
        if (neighbours[v].size() == 6) ++six;
    }
    EXPECT_EQ(five, 12);
    EXPECT_EQ(six, 990);
}

TEST(SphereTables, ExampleVerticesAndRadius) {
    struct Example {
        int index;
        Vec expected;
    };
    // Vertex 1's z is R / sqrt 5 = 90.43553.
    const Example examples[] = {{0, {0, 0, 202.22}},          {11, {0, 0, -202.22}},
                                {1, {180.871, 0, 90.4355}},   {12, {22.343, 0, 200.982}},
                                {93, {74.805, -161.462, 96.057}}, {282, {29.314, 21.298, 198.947}},
                                {1001, {145.363, -79.007, -116.277}}};
    for (const Example& e : examples) {
        const Vec v = vertex(SphereTables, e.index);
        EXPECT_NEAR(v.x, e.expected.x, 6e-4) << "vertex " << e.index;
        EXPECT_NEAR(v.y, e.expected.y, 6e-4) << "vertex " << e.index;
        EXPECT_NEAR(v.z, e.expected.z, 6e-4) << "vertex " << e.index;
    }
    for (int i = 0; i < SphereTables.vertexCount; ++i) {
        const Vec v = vertex(SphereTables, i);
        EXPECT_NEAR(std::sqrt(dot(v, v)), 202.22, 2e-4) << "vertex " << i;
    }
}

TEST(SphereTables, TrianglesInLatticeOrderAndCounterClockwiseFromOutside) {
    const int first[4][3] = {{0, 12, 21}, {12, 13, 282}, {12, 282, 21}, {21, 282, 22}};
    for (int t = 0; t < 4; ++t) {
        for (int k = 0; k < 3; ++k) EXPECT_EQ(SphereTables.triangles[t][k], first[t][k]) << "triangle " << t;
    }
    for (int t = 0; t < SphereTables.triangleCount; ++t) {
        const Vec a = vertex(SphereTables, SphereTables.triangles[t][0]);
        EXPECT_GT(dot(faceNormal(SphereTables, t), a), 0.0) << "triangle " << t;
    }
}

TEST(SphereTables, TextureSeamAndPoles) {
    const MeshTables& s = SphereTables;
    std::vector<int> extraUses(s.texCoordCount, 0);
    int ownCorners = 0;
    for (int t = 0; t < s.triangleCount; ++t) {
        float low = 2, high = -2;
        for (int k = 0; k < 3; ++k) {
            const int entry = s.triangleTexIndices[t][k];
            if (entry == s.triangles[t][k]) {
                ++ownCorners;
            } else {
                EXPECT_GE(entry, 1002) << "triangle " << t << " corner " << k << " uses another vertex's entry";
                ++extraUses[entry];
            }
            const float u = cornerU(s, t, k);
            low = std::min(low, u);
            high = std::max(high, u);
        }
        EXPECT_LE(high - low, 0.5f + 1e-6f) << "triangle " << t << " wraps across the seam";
    }
    EXPECT_EQ(ownCorners, 5906);
    for (int entry = 1002; entry < s.texCoordCount; ++entry) EXPECT_EQ(extraUses[entry], 1) << "entry " << entry;

    // Pole corners of the five northern and five southern cap triangles (the first triangle of
    // faces 0 to 4 and 15 to 19).
    const float north[5] = {0.6f, 0.8f, 0.0f, 0.2f, 0.4f};
    const float south[5] = {0.7f, -0.1f, 0.1f, 0.3f, 0.5f};
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(s.triangles[100 * f][0], 0);
        EXPECT_NEAR(cornerU(s, 100 * f, 0), north[f], 1e-6) << "north face " << f;
        EXPECT_EQ(cornerV(s, 100 * f, 0), 1.0f);
        EXPECT_EQ(s.triangles[100 * (15 + f)][0], 11);
        EXPECT_NEAR(cornerU(s, 100 * (15 + f), 0), south[f], 1e-6) << "south face " << f;
        EXPECT_EQ(cornerV(s, 100 * (15 + f), 0), 0.0f);
    }
    EXPECT_NEAR(s.texCoords[0][0], 0.4f, 1e-6);
    EXPECT_EQ(s.texCoords[0][1], 1.0f);
    EXPECT_NEAR(s.texCoords[11][0], 0.5f, 1e-6);
    EXPECT_EQ(s.texCoords[11][1], 0.0f);

    for (int i = 0; i < s.texCoordCount; ++i) {
        const float u = s.texCoords[i][0], v = s.texCoords[i][1];
        EXPECT_GE(u, -0.2f - 1e-6f) << "entry " << i;
        EXPECT_LT(u, 1.0f) << "entry " << i;
        EXPECT_GE(v, 0.0f) << "entry " << i;
        EXPECT_LE(v, 1.0f) << "entry " << i;
        // Four decimal places.
        EXPECT_NEAR(u * 10000.0, std::round(u * 10000.0), 1e-3) << "entry " << i;
        EXPECT_NEAR(v * 10000.0, std::round(v * 10000.0), 1e-3) << "entry " << i;
    }
    // Vertices on the -x meridian (vertex 8 lies there) sit on the seam at u = 0, not 1.
    EXPECT_EQ(s.texCoords[8][0], 0.0f);
    for (int i = 0; i < s.vertexCount; ++i) {
        if (s.vertices[i][0] < 0 && std::fabs(s.vertices[i][1]) < 1e-3f) {
            EXPECT_EQ(s.texCoords[i][0], 0.0f) << "vertex " << i;
        }
    }
    // Vertex 12 (on the +x meridian, 6.34 degrees from the north pole).
    EXPECT_NEAR(s.texCoords[12][0], 0.5f, 1e-6);
    EXPECT_NEAR(s.texCoords[12][1], 0.9648f, 1e-6);
}

TEST(RingTables, CountsExampleVerticesAndClosedSurface) {
    const MeshTables& r = RingTables;
    EXPECT_EQ(r.vertexCount, 400);
    EXPECT_EQ(r.triangleCount, 800);
    EXPECT_EQ(r.texCoordCount, 505);
    expectClosedMesh(r);
    std::vector<int> uses(r.vertexCount, 0);
    for (int t = 0; t < r.triangleCount; ++t) {
        for (int k = 0; k < 3; ++k) ++uses[r.triangles[t][k]];
    }
    for (int v = 0; v < r.vertexCount; ++v) EXPECT_EQ(uses[v], 6) << "vertex " << v;

    const Vec v100 = vertex(r, 100), v101 = vertex(r, 101);
    EXPECT_NEAR(v100.x, 129.624, 6e-4);
    EXPECT_NEAR(v100.y, -0.368, 6e-4);
    EXPECT_NEAR(v100.z, 16.968, 6e-4);
    EXPECT_NEAR(v101.x, 129.598, 6e-4);
    EXPECT_NEAR(v101.y, -0.368, 6e-4);
    EXPECT_NEAR(v101.z, 17.167, 6e-4);
    // Section 0 points along +y.
    EXPECT_NEAR(r.vertices[0][1], -0.3683 + 130.0, 1e-3);
}

TEST(RingTables, CounterClockwiseFromOutsideTheCrossSection) {
    const MeshTables& r = RingTables;
    const double tilt = 7.5 * 3.14159265358979323846 / 180.0;
    const Vec up = {-std::sin(tilt), 0.0, std::cos(tilt)};  // the ring plane's normal
    for (int t = 0; t < r.triangleCount; ++t) {
        const int s = t / 8, face = (t % 8) / 2;  // outer, top, inner, bottom
        const double phi = (90.0 - 3.6 * (s + 0.5)) * 3.14159265358979323846 / 180.0;
        const Vec radial = {std::cos(phi) * std::cos(tilt), std::sin(phi), std::cos(phi) * std::sin(tilt)};
        const Vec outward[4] = {radial, up, {-radial.x, -radial.y, -radial.z}, {-up.x, -up.y, -up.z}};
        const Vec n = faceNormal(r, t);
        EXPECT_GT(dot(n, outward[face]) / std::sqrt(dot(n, n)), 0.99) << "triangle " << t;
    }
}

TEST(RingTables, TextureGridAndClosingSection) {
    const MeshTables& r = RingTables;
    const float first[4][2] = {{0.25f, 0}, {0.5f, 0}, {0.75f, 0}, {1, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(r.texCoords[i][0], first[i][0]);
        EXPECT_FLOAT_EQ(r.texCoords[i][1], first[i][1]);
    }
    EXPECT_FLOAT_EQ(r.texCoords[4][0], 0.0f);
    EXPECT_FLOAT_EQ(r.texCoords[4][1], 0.01f);
    EXPECT_FLOAT_EQ(r.texCoords[503][0], 1.0f);
    EXPECT_FLOAT_EQ(r.texCoords[503][1], 1.0f);
    EXPECT_FLOAT_EQ(r.texCoords[504][0], 0.0f);
    EXPECT_FLOAT_EQ(r.texCoords[504][1], 0.0f);

    for (int t = 0; t < r.triangleCount; ++t) {
        const int s = t / 8;
        const bool bottom = t % 8 >= 6;
        for (int k = 0; k < 3; ++k) {
            const int v = r.triangles[t][k], c = v % 4;
            const bool nextSection = v / 4 != s;
            const float u = cornerU(r, t, k), tv = cornerV(r, t, k);
            if (bottom && c == 0) {
                // One row ahead of its section; section 0 reached from section 99 wraps to v = 0.
                const float expected = nextSection ? (s == 99 ? 0.0f : (s + 2) / 100.0f) : (s + 1) / 100.0f;
                EXPECT_FLOAT_EQ(u, 0.0f) << "triangle " << t;
                EXPECT_FLOAT_EQ(tv, expected) << "triangle " << t << " corner " << k;
            } else {
                EXPECT_FLOAT_EQ(u, (c + 1) / 4.0f) << "triangle " << t;
                EXPECT_FLOAT_EQ(tv, (s + (nextSection ? 1 : 0)) / 100.0f) << "triangle " << t << " corner " << k;
            }
        }
    }
    // The last section closes onto vertices 0 to 3.
    std::set<int> closing;
    for (int t = 792; t < 800; ++t) {
        for (int k = 0; k < 3; ++k) {
            if (r.triangles[t][k] < 396) closing.insert(r.triangles[t][k]);
        }
    }
    EXPECT_EQ(closing, (std::set<int>{0, 1, 2, 3}));
}

}  // namespace
