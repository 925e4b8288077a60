#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/celestial_body.h"
#include "geometry/lod_tree.h"

namespace {

class Bodies : public ::testing::Test {
protected:
    static void SetUpTestSuite() { buildBodies(&first); }
    static void TearDownTestSuite() { releaseBodies(&first); }

    static const CelestialBody& body(int index) {
        const CelestialBody* b = &first;
        for (int i = 0; i < index; ++i) b = b->next;
        return *b;
    }

    static CelestialBody first;
};
CelestialBody Bodies::first;

TEST_F(Bodies, ListInDrawingOrderWithFreshState) {
    int count = 0;
    for (const CelestialBody* b = &first; b; b = b->next, ++count) {
        EXPECT_EQ(b->index, count);
        const bool ring = b->index == RING_INDEX;
        EXPECT_EQ(b->mesh.vertexCount, ring ? 400 : 1002);
        EXPECT_EQ(b->mesh.triangleCount, ring ? 800 : 2000);
        EXPECT_FLOAT_EQ(b->alpha, ring ? 0.6f : 1.0f);
        EXPECT_EQ(b->baseColour[0] * b->baseColour[1] * b->baseColour[2], 1.0f);
        EXPECT_EQ(b->lightPosition[0] + b->lightPosition[1] + b->lightPosition[2], 0.0f);
        EXPECT_NE(b->mesh.lodRoot, nullptr);
        for (int v = 0; v < b->mesh.vertexCount; ++v) {
            for (float c : b->mesh.vertices[v].colour) ASSERT_EQ(c, 1.0f);
            ASSERT_EQ(b->mesh.vertices[v].next, nullptr);
        }
        for (int t = 0; t < b->mesh.triangleCount; ++t) {
            const MeshTriangle& tri = b->mesh.triangles[t];
            ASSERT_EQ(tri.visible, 1);
            for (int k = 0; k < 3; ++k) {
                ASSERT_EQ(tri.cornerHistory[k], nullptr);
                ASSERT_EQ(tri.corners[k], &b->mesh.vertices[b->mesh.triangleIndices[t][k]]);
            }
        }
    }
    EXPECT_EQ(count, 12);
    EXPECT_EQ(body(RING_INDEX).next, nullptr);
}

TEST_F(Bodies, PlacementWithTheAxesSwapped) {
    // Table (x, y, z) to body (x s + R, z s, y s): the table's north pole is the body's top.
    for (int i = 0; i < BODY_COUNT - 1; ++i) {
        const CelestialBody& b = body(i);
        const float* pole = b.mesh.vertices[0].position;
        const float s = BODY_SCALES[i];
        EXPECT_NEAR(pole[0], BODY_ORBIT_RADII[i], 1e-3) << "body " << i;
        EXPECT_NEAR(pole[1], 202.22f * s, 1e-3) << "body " << i;
        EXPECT_NEAR(pole[2], i == MOON_INDEX ? 150.0f : 0.0f, 1e-3) << "body " << i;
        // Vertex 6 lies at table azimuth 36 degrees, below the equator: body z carries table y.
        EXPECT_NEAR(b.mesh.vertices[6].position[2] - b.position[2], SphereTables.vertices[6][1] * s, 1e-3);
        EXPECT_NEAR(b.mesh.vertices[6].position[1], SphereTables.vertices[6][2] * s, 1e-3);
        EXPECT_EQ(b.position[0], static_cast<float>(BODY_ORBIT_RADII[i]));
    }
}

TEST_F(Bodies, EarthAndMoonBoxes) {
    const CelestialBody& earth = body(EARTH_INDEX);
    EXPECT_NEAR(earth.boxCorners[0][0], 750 - 75.6825, 0.01);
    EXPECT_NEAR(earth.boxCorners[7][0], 750 + 75.6825, 0.01);
    EXPECT_NEAR(earth.boxCorners[0][1], -75.8325, 0.001);
    EXPECT_NEAR(earth.boxCorners[7][1], 75.8325, 0.001);
    EXPECT_NEAR(earth.boxCorners[0][2], -75.8325, 0.01);
    EXPECT_NEAR(earth.boxCorners[7][2], 75.8325, 0.01);
    EXPECT_NEAR(earth.boxCentre[0], 750.0, 1e-3);
    EXPECT_NEAR(earth.boxCentre[1], 0.0, 1e-3);
    EXPECT_NEAR(earth.boxCentre[2], 0.0, 1e-2);
    EXPECT_EQ(earth.boxCentre[3], 1.0f);
    // Corner k: maximum x with bit 2, y with bit 1, z with bit 0.
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(earth.boxCorners[k][0], earth.boxCorners[(k & 4) ? 7 : 0][0]);
        EXPECT_EQ(earth.boxCorners[k][1], earth.boxCorners[(k & 2) ? 7 : 0][1]);
        EXPECT_EQ(earth.boxCorners[k][2], earth.boxCorners[(k & 1) ? 7 : 0][2]);
        EXPECT_EQ(earth.boxCorners[k][3], 1.0f);
    }

    const CelestialBody& moon = body(MOON_INDEX);
    EXPECT_EQ(moon.position[0], 750.0f);
    EXPECT_EQ(moon.position[2], 150.0f);
    EXPECT_NEAR(moon.boxCentre[0], 750.0, 1e-3);
    EXPECT_NEAR(moon.boxCentre[1], 0.0, 1e-3);
    EXPECT_NEAR(moon.boxCentre[2], 150.0, 1e-3);
    double mean[3] = {};
    for (int v = 0; v < moon.mesh.vertexCount; ++v) {
        for (int a = 0; a < 3; ++a) mean[a] += moon.mesh.vertices[v].position[a] / moon.mesh.vertexCount;
        EXPECT_NEAR(moon.mesh.vertices[v].position[1], SphereTables.vertices[v][2] * 0.05f, 1e-4);
    }
    EXPECT_NEAR(mean[0], 750.0, 1e-3);
    EXPECT_NEAR(mean[1], 0.0, 1e-3);
    EXPECT_NEAR(mean[2], 150.0, 1e-3);
    // The ring reaches 312 units from Saturn across the orbit (body z carries table y).
    const CelestialBody& ring = body(RING_INDEX);
    EXPECT_NEAR(ring.boxCorners[7][2], (130 - 0.3683) * 2.4, 0.01);
    EXPECT_NEAR(ring.boxCorners[0][2], (-130 - 0.3683) * 2.4, 0.01);
}

TEST_F(Bodies, SphereNormalsPointInwardRingNormalsAreUnit) {
    for (const CelestialBody* b = &first; b; b = b->next) {
        for (int v = 0; v < b->mesh.vertexCount; ++v) {
            const MeshVertex& vertex = b->mesh.vertices[v];
            const float* n = vertex.normal;
            ASSERT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0, 1e-5) << b->index << ":" << v;
            if (b->index == RING_INDEX) continue;  // ring normals point into the slab, not at Saturn
            double toCentre[3], length = 0;
            for (int a = 0; a < 3; ++a) {
                toCentre[a] = b->position[a] - vertex.position[a];
                length += toCentre[a] * toCentre[a];
            }
            const double cosine = (n[0] * toCentre[0] + n[1] * toCentre[1] + n[2] * toCentre[2]) / std::sqrt(length);
            ASSERT_GT(cosine, 0.999) << "body " << b->index << " vertex " << v;
        }
    }
}

TEST_F(Bodies, TexCoordsFollowTheTablesPerCorner) {
    const CelestialBody& sun = body(SUN_INDEX);
    for (int t = 0; t < sun.mesh.triangleCount; t += 7) {
        for (int k = 0; k < 3; ++k) {
            const float* uv = SphereTables.texCoords[SphereTables.triangleTexIndices[t][k]];
            EXPECT_EQ(sun.mesh.triangles[t].texCoords[k][0], uv[0]);
            EXPECT_EQ(sun.mesh.triangles[t].texCoords[k][1], uv[1]);
        }
    }
    const CelestialBody& ring = body(RING_INDEX);
    // The last bottom-face triangle: section 99's c0 at v = 1, section 0's c0 reached again at v = 0.
    EXPECT_EQ(ring.mesh.triangles[799].texCoords[1][1], 1.0f);
    EXPECT_EQ(ring.mesh.triangles[799].texCoords[2][1], 0.0f);
}

struct TextureCall {
    int resourceId;
    unsigned int name;
    int width, height;
};
std::vector<TextureCall> textureCalls;

void recordTexture(int resourceId, unsigned int name, int width, int height) {
    textureCalls.push_back({resourceId, name, width, height});
}

TEST(BuildBodies, LoadsOneTexturePerBodyInOrder) {
    textureCalls.clear();
    CelestialBody first;
    EXPECT_TRUE(buildBodies(&first, &recordTexture));
    const int resources[12] = {236, 232, 227, 238, 231, 230, 235, 237, 234, 239, 233, 240};
    ASSERT_EQ(textureCalls.size(), 12u);
    for (unsigned i = 0; i < 12; ++i) {
        EXPECT_EQ(textureCalls[i].resourceId, resources[i]);
        EXPECT_EQ(textureCalls[i].name, i);
        EXPECT_EQ(textureCalls[i].width, i < 7 ? 512 : 256);
        EXPECT_EQ(textureCalls[i].height, textureCalls[i].width);
    }
    releaseBodies(&first);
    EXPECT_EQ(first.next, nullptr);
}

}  // namespace
