#pragma once
// Helpers shared by the level-of-detail tests: walking a body's tree, and checking that its state
// is one the collapse and expansion rules can reach.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "geometry/body_store.h"
#include "geometry/celestial_body.h"
#include "geometry/lod_tree.h"

namespace lod_test {

// Every node but the entries, parents before children.
inline void forEachNode(LodNode* node, const std::function<void(LodNode*)>& visit) {
    if (node->isEntry) return;
    visit(node);
    for (LodNode* child : node->children) {
        if (!child) break;
        forEachNode(child, visit);
    }
}

inline std::vector<LodNode*> nodesOf(const CelestialBody& body) {
    std::vector<LodNode*> nodes;
    forEachNode(body.mesh.lodRoot, [&](LodNode* n) { nodes.push_back(n); });
    return nodes;
}

inline std::map<const MeshVertex*, LodNode*> entriesOf(const CelestialBody& body) {
    std::map<const MeshVertex*, LodNode*> entries;
    forEachNode(body.mesh.lodRoot, [&](LodNode* n) {
        if (!n->hasEntries) return;
        for (LodNode* e : n->children) {
            if (!e) break;
            entries[e->vertex] = e;
        }
    });
    return entries;
}

inline bool isEmptyOctant(const LodNode* n) { return !n->hasEntries && !n->split; }

// The node whose degenerateTriangles holds each triangle (null when none does).
inline std::vector<LodNode*> degenerateOwners(const CelestialBody& body) {
    std::vector<LodNode*> owner(body.mesh.triangleCount, nullptr);
    forEachNode(body.mesh.lodRoot, [&](LodNode* n) {
        for (TriangleRef* r = n->degenerateTriangles; r; r = r->next) owner[r->triangle - body.mesh.triangles] = n;
    });
    return owner;
}

// The whole drawable state: corners, stacks, flags of triangles and nodes.
struct Snapshot {
    std::vector<const MeshVertex*> corners;
    std::vector<std::vector<const MeshVertex*>> stacks;
    std::vector<int> visible;
    std::vector<int> nodeFlags;

    bool operator==(const Snapshot& o) const {
        return corners == o.corners && stacks == o.stacks && visible == o.visible && nodeFlags == o.nodeFlags;
    }
};

inline Snapshot snapshot(const CelestialBody& body) {
    Snapshot s;
    for (int t = 0; t < body.mesh.triangleCount; ++t) {
        const MeshTriangle& tri = body.mesh.triangles[t];
        s.visible.push_back(tri.visible);
        for (int k = 0; k < 3; ++k) {
            s.corners.push_back(tri.corners[k]);
            std::vector<const MeshVertex*> stack;
            for (const CornerSave* c = tri.cornerHistory[k]; c; c = c->below) stack.push_back(c->vertex);
            s.stacks.push_back(stack);
        }
    }
    forEachNode(body.mesh.lodRoot, [&](LodNode* n) { s.nodeFlags.push_back(n->collapsed * 2 + n->frontier); });
    return s;
}

// The drawn vertex of a mesh vertex: the representative of the highest collapsed node on the path
// from its entry (the vertex itself while its leaf is open).
inline const MeshVertex* drawnVertex(const LodNode* entry) {
    const LodNode* top = entry;
    while (top->parent && top->parent->collapsed) top = top->parent;
    return top->vertex;
}

// The invariants every reachable state keeps.
inline void expectConsistent(const CelestialBody& body) {
    const auto owners = degenerateOwners(body);
    const auto entries = entriesOf(body);
    forEachNode(body.mesh.lodRoot, [&](LodNode* n) {
        if (!n->collapsed) return;
        EXPECT_FALSE(n->frontier) << "a collapsed node is never on the frontier";
        for (LodNode* c : n->children) {
            if (!c) break;
            EXPECT_TRUE(c->collapsed) << "a collapsed node has an open child";
        }
    });
    std::size_t depth = 0;
    for (int t = 0; t < body.mesh.triangleCount; ++t) {
        const MeshTriangle& tri = body.mesh.triangles[t];
        ASSERT_NE(owners[t], nullptr);
        ASSERT_EQ(tri.visible, owners[t]->collapsed ? 0 : 1) << "triangle " << t;
        for (int k = 0; k < 3; ++k) {
            for (const CornerSave* c = tri.cornerHistory[k]; c; c = c->below) {
                ++depth;
                EXPECT_NE(c->vertex, nullptr);
            }
            if (!tri.visible) continue;
            const MeshVertex* mesh = &body.mesh.vertices[body.mesh.triangleIndices[t][k]];
            ASSERT_EQ(tri.corners[k], drawnVertex(entries.at(mesh))) << "triangle " << t << " corner " << k;
        }
    }
    EXPECT_EQ(depth, body.mesh.store->cornerSavesInUse()) << "corner cells lost or leaked";
}

// Full detail: every triangle drawn at its mesh vertices, no saved corners.
inline void expectFullDetail(const CelestialBody& body) {
    for (int t = 0; t < body.mesh.triangleCount; ++t) {
        const MeshTriangle& tri = body.mesh.triangles[t];
        ASSERT_EQ(tri.visible, 1) << "triangle " << t;
        for (int k = 0; k < 3; ++k) {
            ASSERT_EQ(tri.corners[k], &body.mesh.vertices[body.mesh.triangleIndices[t][k]]) << "triangle " << t;
            ASSERT_EQ(tri.cornerHistory[k], nullptr) << "triangle " << t;
        }
    }
    EXPECT_EQ(body.mesh.store->cornerSavesInUse(), 0u);
}

// A single body built from a mesh table and released at the end of the scope.
struct BuiltBody {
    BuiltBody(int index, const MeshTables& tables) { buildBody(&body, index, tables); }
    ~BuiltBody() { releaseBodies(&body); }
    BuiltBody(const BuiltBody&) = delete;
    BuiltBody& operator=(const BuiltBody&) = delete;
    CelestialBody body;
};

}  // namespace lod_test
