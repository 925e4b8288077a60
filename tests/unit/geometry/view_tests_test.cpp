#include <gtest/gtest.h>

#include <cmath>

#include "fake_gl.h"
#include "geometry/view_tests.h"
#include "geometry/vertex_colours.h"
#include "lod_test_support.h"

namespace {

using namespace lod_test;

TEST(TransformPoint, MultipliesByAColumnMajorMatrix) {
    float m[16];
    for (int i = 0; i < 16; ++i) m[i] = static_cast<float>(i + 1);
    float p[4] = {1, 2, 3, 4};
    transformPoint(p, m);
    // Row r of the matrix is m[r], m[4 + r], m[8 + r], m[12 + r].
    EXPECT_FLOAT_EQ(p[0], 1 * 1 + 5 * 2 + 9 * 3 + 13 * 4);
    EXPECT_FLOAT_EQ(p[1], 2 * 1 + 6 * 2 + 10 * 3 + 14 * 4);
    EXPECT_FLOAT_EQ(p[2], 3 * 1 + 7 * 2 + 11 * 3 + 15 * 4);
    EXPECT_FLOAT_EQ(p[3], 4 * 1 + 8 * 2 + 12 * 3 + 16 * 4);
}

// The camera at `eye` looking along `direction` with y up, and the saver's projection.
void look(const float eye[3], const float direction[3]) {
    const float target[3] = {eye[0] + direction[0], eye[1] + direction[1], eye[2] + direction[2]};
    const float up[3] = {0, 1, 0};
    fake_gl::lookAt(fake_gl::current.modelview, eye, target, up);
    fake_gl::saverProjection(fake_gl::current.projection);
}

TEST(BodyOffScreen, NinePointsInTheWidenedWindowInFrontOfTheCamera) {
    BuiltBody earth(EARTH_INDEX, SphereTables);
    BuiltBody moon(MOON_INDEX, SphereTables);
    fake_gl::ScopedGl gl;
    const float forward[3] = {0, 0, -1}, backward[3] = {0, 0, 1}, alongX[3] = {1, 0, 0};

    const float front[3] = {750, 0, 600};
    look(front, forward);
    EXPECT_EQ(bodyOffScreen(&earth.body), 0);
    EXPECT_EQ(fake_gl::getFloatCalls, 2);

    // Turned round: every point is behind the camera, straight behind it, where x / w and y / w
    // fall inside the window; only the clip z rules them out.
    look(front, backward);
    EXPECT_EQ(bodyOffScreen(&earth.body), 1);

    // Inside the box, near its +x face, looking out through it: the sphere's surface is ahead, but
    // none of the nine points is in view.
    const float inside[3] = {820, 0, 0};
    look(inside, alongX);
    EXPECT_EQ(bodyOffScreen(&earth.body), 1);

    // Normalised x 1.1: outside the screen but inside the widened window. At 1.3 it is skipped.
    const float widened[3] = {750 - 1.1f * 5000, 0, 150 + 5000};
    look(widened, forward);
    EXPECT_EQ(bodyOffScreen(&moon.body), 0);
    const float beyond[3] = {750 - 1.3f * 5000, 0, 150 + 5000};
    look(beyond, forward);
    EXPECT_EQ(bodyOffScreen(&moon.body), 1);
    const float above[3] = {750, -1.3f * 0.75f * 5000, 150 + 5000};
    look(above, forward);
    EXPECT_EQ(bodyOffScreen(&moon.body), 1);
}

TEST(VertexColours, LitFromTheSunWithAFloor) {
    BuiltBody earth(EARTH_INDEX, SphereTables);
    CelestialBody& body = earth.body;
    body.baseColour[0] = 0.5f;
    body.baseColour[2] = 2.0f;
    for (int v = 0; v < body.mesh.vertexCount; ++v) body.mesh.vertices[v].colour[3] = 0.25f;
    litColours(body.mesh.lodRoot, &body);

    // The vertices nearest to and farthest from the Sun (at the origin, on the -x side).
    const MeshVertex* lit = &body.mesh.vertices[0];
    const MeshVertex* dark = lit;
    for (int v = 0; v < body.mesh.vertexCount; ++v) {
        if (body.mesh.vertices[v].position[0] < lit->position[0]) lit = &body.mesh.vertices[v];
        if (body.mesh.vertices[v].position[0] > dark->position[0]) dark = &body.mesh.vertices[v];
    }
    EXPECT_NEAR(lit->colour[0], 1.3f * 0.5f, 5e-3);
    EXPECT_NEAR(lit->colour[1], 1.3f, 1e-2);
    EXPECT_NEAR(lit->colour[2], 1.3f * 2.0f, 2e-2);
    EXPECT_EQ(lit->colour[3], 0.25f);
    EXPECT_FLOAT_EQ(dark->colour[0], 0.3f * 0.5f);
    EXPECT_FLOAT_EQ(dark->colour[1], 0.3f);
    for (const MeshVertex* v = body.mesh.lodVertices; v; v = v->next) {
        EXPECT_GE(v->colour[1], 0.3f);
        EXPECT_LE(v->colour[1], 1.3f + 1e-5f);
    }

    // A vertex at the light itself has no direction to the light and gets the floor.
    for (int a = 0; a < 3; ++a) body.lightPosition[a] = body.mesh.vertices[0].position[a];
    litColours(body.mesh.lodRoot, &body);
    EXPECT_FLOAT_EQ(body.mesh.vertices[0].colour[1], 0.3f);
}

TEST(VertexColours, WalksStopAtCollapsedNodes) {
    BuiltBody ring(RING_INDEX, RingTables);
    CelestialBody& body = ring.body;
    LodNode* leaf = nullptr;
    forEachNode(body.mesh.lodRoot, [&](LodNode* n) {
        if (n->hasEntries && !leaf) leaf = n;
    });
    ASSERT_NE(leaf, nullptr);
    collapseLodNode(leaf, &body);
    for (int v = 0; v < body.mesh.vertexCount; ++v) body.mesh.vertices[v].colour[0] = -1.0f;
    for (MeshVertex* v = body.mesh.lodVertices; v; v = v->next) v->colour[0] = -1.0f;

    unlitColours(body.mesh.lodRoot, &body);
    EXPECT_EQ(leaf->vertex->colour[0], 1.0f);
    EXPECT_FLOAT_EQ(leaf->vertex->colour[3], 0.6f);
    int untouched = 0;
    for (int v = 0; v < body.mesh.vertexCount; ++v) {
        const MeshVertex& vertex = body.mesh.vertices[v];
        bool underLeaf = false;
        for (LodNode* e : leaf->children) underLeaf = underLeaf || (e && e->vertex == &vertex);
        if (underLeaf) {
            EXPECT_EQ(vertex.colour[0], -1.0f) << "no visible triangle draws a vertex under a collapsed node";
            ++untouched;
        } else {
            EXPECT_EQ(vertex.colour[0], 1.0f);
            EXPECT_FLOAT_EQ(vertex.colour[3], 0.6f);
        }
    }
    EXPECT_GT(untouched, 0);
}

}  // namespace
