#include <gtest/gtest.h>

#include <algorithm>
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

// Whether any vertex of the body lies inside the view volume: the body is then on screen.
bool anyVertexInView(const CelestialBody& body) {
    for (int32_t i = 0; i < body.mesh.vertexCount; ++i) {
        const float* v = body.mesh.vertices[i].position;
        float clip[4] = {v[0], v[1], v[2], 1.0f};
        transformPoint(clip, fake_gl::current.modelview);
        transformPoint(clip, fake_gl::current.projection);
        const float w = clip[3];
        if (std::fabs(clip[0]) <= w && std::fabs(clip[1]) <= w && std::fabs(clip[2]) <= w) return true;
    }
    return false;
}

float radiusOf(const CelestialBody& body) {
    float radius = 0.0f;
    for (int32_t i = 0; i < body.mesh.vertexCount; ++i) {
        const float* v = body.mesh.vertices[i].position;
        radius = std::max(radius, std::hypot(v[0] - body.position[0], v[1] - body.position[1], v[2] - body.position[2]));
    }
    return radius;
}

TEST(BodyOffScreen, SkipsOnlyABoxWhollyOutsideOneSideOfTheViewVolume) {
    BuiltBody earth(EARTH_INDEX, SphereTables);
    BuiltBody moon(MOON_INDEX, SphereTables);
    fake_gl::ScopedGl gl;
    const float forward[3] = {0, 0, -1}, backward[3] = {0, 0, 1}, alongX[3] = {1, 0, 0};

    const float front[3] = {750, 0, 600};
    look(front, forward);
    EXPECT_EQ(bodyOffScreen(&earth.body), 0);
    EXPECT_EQ(fake_gl::getFloatCalls, 2);

    // Turned round: every corner is behind the camera, beyond the near plane.
    look(front, backward);
    EXPECT_EQ(bodyOffScreen(&earth.body), 1);

    // Inside the box, near its +x face, looking out through it: the sphere's surface is ahead.
    const float inside[3] = {820, 0, 0};
    look(inside, alongX);
    EXPECT_EQ(bodyOffScreen(&earth.body), 0);
    EXPECT_TRUE(anyVertexInView(earth.body));

    // The Moon (radius 5) 5000 units ahead: just inside the right edge it is kept, just beyond any edge
    // it is skipped (no widened window any more).
    const float inView[3] = {750 - 0.99f * 5000, 0, 150 + 5000};
    look(inView, forward);
    EXPECT_EQ(bodyOffScreen(&moon.body), 0);
    const float beside[3] = {750 - 1.01f * 5000 - 10, 0, 150 + 5000};
    look(beside, forward);
    EXPECT_EQ(bodyOffScreen(&moon.body), 1);
    const float above[3] = {750, -1.01f * 0.75f * 5000 - 10, 150 + 5000};
    look(above, forward);
    EXPECT_EQ(bodyOffScreen(&moon.body), 1);
    // Beyond the far plane (40,000 units).
    const float far[3] = {750, 0, 150 + 40100};
    look(far, forward);
    EXPECT_EQ(bodyOffScreen(&moon.body), 1);
    const float nearFar[3] = {750, 0, 150 + 39000};
    look(nearFar, forward);
    EXPECT_EQ(bodyOffScreen(&moon.body), 0);
}

// With the eye 1.05 radii from Jupiter's centre, looking along its surface, the planet covers a large
// part of the screen while its centre is behind the camera and no box corner projects on screen.
TEST(BodyOffScreen, APlanetGrazedAtCloseRangeIsDrawn) {
    BuiltBody jupiter(5, SphereTables);
    fake_gl::ScopedGl gl;
    const float r = radiusOf(jupiter.body);
    const float* c = jupiter.body.position;
    const float eye[3] = {c[0], c[1], c[2] + 1.05f * r};
    const float along[3] = {1, 0, -0.2f};  // tangent, a little towards the planet
    look(eye, along);
    ASSERT_TRUE(anyVertexInView(jupiter.body));
    EXPECT_EQ(bodyOffScreen(&jupiter.body), 0);
}

// Near approaches to every planet from many directions: whenever a vertex is on screen, the body is
// drawn; and the approaches that look away from it do skip it.
TEST(BodyOffScreen, NearApproachesToEveryPlanetKeepWhatIsOnScreen) {
    fake_gl::ScopedGl gl;
    for (int index = 1; index <= 9; ++index) {
        BuiltBody planet(index, SphereTables);
        const float r = radiusOf(planet.body);
        const float* c = planet.body.position;
        int skipped = 0, kept = 0;
        for (float height : {1.02f, 1.1f, 1.5f, 3.0f}) {
            for (int a = 0; a < 12; ++a) {
                const float around = a * 0.5236f;  // 30 degrees
                const float eye[3] = {c[0] + height * r * std::cos(around), c[1] + 0.3f * r,
                                      c[2] + height * r * std::sin(around)};
                for (int d = 0; d < 8; ++d) {
                    const float turn = d * 0.7854f;  // 45 degrees
                    const float direction[3] = {std::cos(turn), 0.2f * (d % 3 - 1), std::sin(turn)};
                    look(eye, direction);
                    SCOPED_TRACE(::testing::Message() << "body " << index << " height " << height << " around "
                                                      << a << " direction " << d);
                    const int off = bodyOffScreen(&planet.body);
                    if (anyVertexInView(planet.body)) {
                        ASSERT_EQ(off, 0);
                    }
                    (off ? skipped : kept) += 1;
                }
            }
        }
        EXPECT_GT(skipped, 0) << "body " << index;
        EXPECT_GT(kept, 0) << "body " << index;
    }
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
