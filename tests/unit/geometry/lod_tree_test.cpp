#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "fake_gl.h"
#include "geometry/lod_tree.h"
#include "geometry/vertex_colours.h"
#include "lod_test_support.h"
#include "scene/random.h"

namespace {

using namespace lod_test;

const float VIEW_DIRECTION[3] = {0.3f, 0.5f, 1.0f};

void viewBodyFrom(const CelestialBody& body, float distance) {
    fake_gl::viewFrom(body.boxCentre, VIEW_DIRECTION, distance);
}

int cornersUnder(const LodNode* node, const MeshTriangle& tri, const std::map<const MeshVertex*, LodNode*>& entries,
                  const CelestialBody& body) {
    int count = 0;
    for (int k = 0; k < 3; ++k) {
        const int index = static_cast<int>(&tri - body.mesh.triangles);
        const LodNode* n = entries.at(&body.mesh.vertices[body.mesh.triangleIndices[index][k]]);
        while (n && n != node) n = n->parent;
        count += n ? 1 : 0;
    }
    return count;
}

void expectBuiltTree(const CelestialBody& body) {
    expectFullDetail(body);
    const auto entries = entriesOf(body);
    EXPECT_EQ(entries.size(), static_cast<std::size_t>(body.mesh.vertexCount)) << "every vertex in one entry";

    int representatives = 0;
    for (const MeshVertex* v = body.mesh.lodVertices; v; v = v->next) ++representatives;
    int nodesWithVertex = 0;
    forEachNode(body.mesh.lodRoot, [&](LodNode* n) {
        EXPECT_FALSE(n->frontier);
        EXPECT_EQ(n->collapsed != 0, isEmptyOctant(n) && n->parent) << "only empty octants start collapsed";
        if (n->vertex) ++nodesWithVertex;
        int slots = 0;
        for (LodNode* c : n->children) {
            if (!c) break;
            ++slots;
            EXPECT_EQ(c->parent, n);
            EXPECT_EQ(c->isEntry != 0, n->hasEntries != 0);
            // Children lie inside their parent's box.
            const float* p = c->isEntry ? c->vertex->position : c->boxMin;
            for (int a = 0; a < 3; ++a) {
                EXPECT_GE(p[a], n->boxMin[a]);
                EXPECT_LE(c->isEntry ? p[a] : c->boxMax[a], n->boxMax[a]);
            }
        }
        if (n->hasEntries) {
            EXPECT_TRUE(slots >= 1 && slots <= 8);
        }
        if (n->split) {
            EXPECT_EQ(slots, 8);
        }
        if (n->hasEntries && n->parent) {
            // A leaf's representative is the plain average of its entries.
            float mean = 0;
            for (int i = 0; i < slots; ++i) mean += n->children[i]->vertex->position[0];
            EXPECT_NEAR(n->vertex->position[0], mean / slots, 1e-3);
        }
    });
    EXPECT_EQ(representatives, nodesWithVertex);

    // Each triangle is degenerate in exactly one node: the lowest one holding two of its corners.
    std::vector<int> degenerateCount(body.mesh.triangleCount, 0);
    forEachNode(body.mesh.lodRoot, [&](LodNode* n) {
        std::set<const MeshTriangle*> boundary;
        for (TriangleRef* r = n->boundaryTriangles; r; r = r->next) {
            EXPECT_TRUE(boundary.insert(r->triangle).second) << "listed twice";
            EXPECT_GE(cornersUnder(n, *r->triangle, entries, body), 1);
        }
        for (TriangleRef* r = n->degenerateTriangles; r; r = r->next) {
            EXPECT_EQ(boundary.count(r->triangle), 0u);
            ++degenerateCount[r->triangle - body.mesh.triangles];
            EXPECT_GE(cornersUnder(n, *r->triangle, entries, body), 2);
            if (n->split) {
                for (LodNode* c : n->children) EXPECT_LT(cornersUnder(c, *r->triangle, entries, body), 2);
            }
        }
    });
    for (int t = 0; t < body.mesh.triangleCount; ++t) EXPECT_EQ(degenerateCount[t], 1) << "triangle " << t;
}

TEST(LodTree, BuildsTheFullDetailMeshOverSphereAndRing) {
    BuiltBody earth(EARTH_INDEX, SphereTables);
    expectBuiltTree(earth.body);
    BuiltBody ring(RING_INDEX, RingTables);
    expectBuiltTree(ring.body);
}

// A small body: the eight corners of a cube of table half-size 8 and points on the middle planes.
// Placed as the Earth (scale 0.375 at x = 750), the root box is x 747..753, y and z -3..3.
struct SmallMesh {
    std::vector<float> vertices;  // x, y, z triples
    std::vector<int32_t> triangles;
    std::vector<float> texCoords = {0.0f, 0.0f};
    std::vector<int32_t> texIndices;

    void add(float x, float y, float z) { vertices.insert(vertices.end(), {x, y, z}); }
    MeshTables tables() {
        texIndices.assign(triangles.size(), 0);
        return {static_cast<int32_t>(vertices.size() / 3),
                static_cast<int32_t>(triangles.size() / 3),
                1,
                reinterpret_cast<const float(*)[3]>(vertices.data()),
                reinterpret_cast<const int32_t(*)[3]>(triangles.data()),
                reinterpret_cast<const float(*)[2]>(texCoords.data()),
                reinterpret_cast<const int32_t(*)[3]>(texIndices.data())};
    }
};

SmallMesh cubeCorners() {
    SmallMesh mesh;
    for (int k = 0; k < 8; ++k) mesh.add(k & 4 ? 8.0f : -8.0f, k & 2 ? 8.0f : -8.0f, k & 1 ? 8.0f : -8.0f);
    return mesh;
}

TEST(LodTree, PointOnTheMidpointGoesToTheUpperOctant) {
    SmallMesh mesh = cubeCorners();
    mesh.add(0, 0, 0);   // on all three middle planes: octant 7
    mesh.add(-1, 0, 0);  // below the middle in x only: octant 3
    mesh.triangles = {8, 9, 0, 8, 7, 9};
    const MeshTables tables = mesh.tables();
    BuiltBody small(EARTH_INDEX, tables);
    const LodNode* root = small.body.mesh.lodRoot;
    ASSERT_TRUE(root->split);
    const auto entries = entriesOf(small.body);
    EXPECT_EQ(entries.at(&small.body.mesh.vertices[8])->parent, root->children[7]);
    EXPECT_EQ(entries.at(&small.body.mesh.vertices[9])->parent, root->children[3]);
    EXPECT_EQ(entries.at(&small.body.mesh.vertices[7])->parent, root->children[7]);
    EXPECT_EQ(root->children[7]->boxMin[0], 750.0f);  // the octant's box starts at the midpoint
}

TEST(LodTree, CoincidentVerticesStopSplittingAtTheDepthLimit) {
    SmallMesh mesh = cubeCorners();
    for (int i = 0; i < 20; ++i) mesh.add(1, 1, 1);
    mesh.triangles = {8, 9, 0, 10, 11, 1, 16, 17, 2, 26, 27, 3};
    const MeshTables tables = mesh.tables();
    BuiltBody small(EARTH_INDEX, tables);

    int deepest = 0;
    std::function<void(const LodNode*, int)> walk = [&](const LodNode* n, int depth) {
        if (n->hasEntries) deepest = std::max(deepest, depth);
        if (!n->split) return;
        for (const LodNode* c : n->children) walk(c, depth + 1);
    };
    walk(small.body.mesh.lodRoot, 0);
    EXPECT_EQ(deepest, LOD_MAX_DEPTH);
    // Eight coincident vertices fill the deepest leaf; the twelve after them are left out.
    EXPECT_EQ(entriesOf(small.body).size(), 16u);

    fake_gl::ScopedGl gl;
    for (float distance : {5.0f, 1e6f, 5.0f}) {
        viewBodyFrom(small.body, distance);
        for (int frame = 0; frame < 2 * LOD_MAX_DEPTH + 4; ++frame) updateLod(small.body.mesh.lodRoot, &small.body);
    }
    // Triangles 0 and 1 join two coincident vertices of the deepest leaf, whose tiny box keeps it
    // collapsed: they have no area and stay hidden. Triangles 2 and 3 have two corners left out of
    // the tree and are drawn at full detail.
    EXPECT_EQ(small.body.mesh.store->cornerSavesInUse(), 0u);
    for (int t = 2; t < 4; ++t) {
        const MeshTriangle& tri = small.body.mesh.triangles[t];
        EXPECT_EQ(tri.visible, 1);
        for (int k = 0; k < 3; ++k) EXPECT_EQ(tri.corners[k], &small.body.mesh.vertices[mesh.triangles[3 * t + k]]);
    }
}

TEST(LodTree, CollapseThenExpandRestoresEverything) {
    BuiltBody earth(EARTH_INDEX, SphereTables);
    CelestialBody& body = earth.body;
    const Snapshot built = snapshot(body);

    // The root stays open whatever asks it to collapse.
    collapseLodNode(body.mesh.lodRoot, &body);
    EXPECT_TRUE(snapshot(body) == built);

    // A split node of the root with all its leaves: collapse bottom up, expand top down.
    LodNode* parent = nullptr;
    for (LodNode* c : body.mesh.lodRoot->children) {
        if (c->split) parent = c;
    }
    ASSERT_NE(parent, nullptr);
    std::vector<LodNode*> order;
    std::function<void(LodNode*)> postOrder = [&](LodNode* n) {
        if (n->split) {
            for (LodNode* c : n->children) postOrder(c);
        }
        if (!n->collapsed) order.push_back(n);
    };
    postOrder(parent);
    for (LodNode* n : order) collapseLodNode(n, &body);
    expectConsistent(body);
    int hidden = 0;
    for (TriangleRef* r = parent->degenerateTriangles; r; r = r->next) hidden += r->triangle->visible ? 0 : 1;
    EXPECT_GT(hidden, 0);
    EXPECT_GT(body.mesh.store->cornerSavesInUse(), 0u);
    for (auto n = order.rbegin(); n != order.rend(); ++n) expandLodNode(*n, &body);

    // Expansion leaves `frontier` set on the reopened nodes; everything the drawing sees is back.
    const Snapshot restored = snapshot(body);
    EXPECT_EQ(restored.corners, built.corners);
    EXPECT_EQ(restored.stacks, built.stacks);
    EXPECT_EQ(restored.visible, built.visible);
    expectFullDetail(body);

    // Collapsing the same nodes again and expanding reuses the returned cells.
    const std::size_t inUse = body.mesh.store->cornerSavesInUse();
    for (LodNode* n : order) collapseLodNode(n, &body);
    for (auto n = order.rbegin(); n != order.rend(); ++n) expandLodNode(*n, &body);
    EXPECT_EQ(body.mesh.store->cornerSavesInUse(), inUse);
    EXPECT_EQ(snapshot(body).corners, built.corners);
}

// Levels above the leaves (a leaf is 0; a split node is one more than its highest child with
// vertices) and below the root.
int heightOf(const LodNode* n) {
    if (!n->split) return 0;
    int height = 0;
    for (const LodNode* c : n->children) {
        if (c->vertex) height = std::max(height, heightOf(c) + 1);
    }
    return height;
}
int depthOf(const LodNode* n) {
    int depth = 0;
    for (; n->parent; n = n->parent) ++depth;
    return depth;
}

TEST(LodTree, FarAwayCollapsesClimbOneLevelPerFrameAndNearExpansionsDescendOne) {
    BuiltBody jupiter(5, SphereTables);
    CelestialBody& body = jupiter.body;
    fake_gl::ScopedGl gl;
    const std::vector<LodNode*> nodes = nodesOf(body);
    const int height = heightOf(body.mesh.lodRoot);
    ASSERT_GE(height, 2);

    viewBodyFrom(body, 39000.0f);  // every box, the root's octants included, below the angle
    for (int frame = 1; frame <= height + 1; ++frame) {
        updateLod(body.mesh.lodRoot, &body);
        for (const LodNode* n : nodes) {
            if (!n->parent || !n->vertex) continue;
            EXPECT_EQ(n->collapsed != 0, heightOf(n) < frame) << "frame " << frame << " depth " << depthOf(n);
        }
    }
    // The root's own degenerate triangles are all that is left.
    int visible = 0, rootList = 0;
    for (int t = 0; t < body.mesh.triangleCount; ++t) visible += body.mesh.triangles[t].visible;
    for (TriangleRef* r = body.mesh.lodRoot->degenerateTriangles; r; r = r->next) ++rootList;
    EXPECT_EQ(visible, rootList);
    EXPECT_FALSE(body.mesh.lodRoot->collapsed);
    expectConsistent(body);

    viewBodyFrom(body, 300.0f);
    for (int frame = 1; frame <= height + 2; ++frame) {
        updateLod(body.mesh.lodRoot, &body);
        for (const LodNode* n : nodes) {
            if (!n->parent) continue;
            EXPECT_EQ(n->collapsed == 0, depthOf(n) <= frame) << "frame " << frame << " depth " << depthOf(n);
        }
    }
    expectFullDetail(body);
    EXPECT_EQ(fake_gl::getFloatCalls, 2 * (2 * height + 3)) << "matrices are read once per traversal";
}

// One frame of the level of detail; checks that nothing moved more than one level.
void stepAndCheckOneLevel(CelestialBody& body, const std::vector<LodNode*>& nodes) {
    std::vector<uint8_t> before;
    for (const LodNode* n : nodes) before.push_back(n->collapsed);
    updateLod(body.mesh.lodRoot, &body);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const LodNode* n = nodes[i];
        if (n->collapsed && !before[i]) {
            for (const LodNode* c : n->children) {
                if (!c) break;
                if (c->isEntry) continue;
                const auto at = std::find(nodes.begin(), nodes.end(), c) - nodes.begin();
                ASSERT_TRUE(before[at]) << "collapsed in the same frame as its child";
            }
        }
        if (!n->collapsed && before[i] && n->parent) {
            const auto at = std::find(nodes.begin(), nodes.end(), n->parent) - nodes.begin();
            ASSERT_FALSE(before[at]) << "expanded in the same frame as its parent";
        }
    }
}

TEST(LodTree, SteadyRecessionAndApproach) {
    BuiltBody earth(EARTH_INDEX, SphereTables);
    CelestialBody& body = earth.body;
    fake_gl::ScopedGl gl;
    const std::vector<LodNode*> nodes = nodesOf(body);
    float distance = 150.0f;
    for (; distance < 40000.0f; distance *= 1.03f) {
        viewBodyFrom(body, distance);
        stepAndCheckOneLevel(body, nodes);
    }
    for (LodNode* c : body.mesh.lodRoot->children) EXPECT_TRUE(c->collapsed);
    expectConsistent(body);
    for (; distance > 150.0f; distance /= 1.03f) {
        viewBodyFrom(body, distance);
        stepAndCheckOneLevel(body, nodes);
    }
    expectFullDetail(body);
}

TEST(LodTree, LongRandomWalkKeepsEveryInvariant) {
    fake_gl::ScopedGl gl;
    seedRandom(7);
    const struct {
        int index;
        const MeshTables& tables;
    } picks[] = {{EARTH_INDEX, SphereTables}, {MOON_INDEX, SphereTables}, {RING_INDEX, RingTables}, {9, SphereTables}};
    for (const auto& pick : picks) {
        BuiltBody built(pick.index, pick.tables);
        CelestialBody& body = built.body;
        const std::vector<LodNode*> nodes = nodesOf(body);
        // Log-distance random walk between 50 and 50,000 units, with sudden jumps now and then.
        double logDistance = std::log(500.0);
        for (int frame = 0; frame < 2500; ++frame) {
            const int r = nextRandom();
            if (r % 97 == 0) {
                logDistance = std::log(50.0) + (nextRandom() / 32767.0) * std::log(1000.0);
            } else {
                logDistance += ((r % 2001) - 1000) / 1000.0 * 0.08;
                logDistance = std::clamp(logDistance, std::log(50.0), std::log(50000.0));
            }
            viewBodyFrom(body, static_cast<float>(std::exp(logDistance)));
            stepAndCheckOneLevel(body, nodes);
            if (frame % 50 == 0) {
                expectConsistent(body);
                litColours(body.mesh.lodRoot, &body);
            }
            if (HasFatalFailure()) return;
        }
        expectConsistent(body);
        viewBodyFrom(body, 20.0f);
        for (int frame = 0; frame < 12; ++frame) updateLod(body.mesh.lodRoot, &body);
        expectFullDetail(body);
    }
}

}  // namespace
