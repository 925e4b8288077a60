// Building the level-of-detail tree, collapse and expansion, and the per-frame traversal.
#include "geometry/lod_tree.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/body_store.h"
#include "geometry/view_tests.h"
#include "gl/gl_api.h"

namespace {

// Octant of a point within a node's box: bit 2 for x, bit 1 for y, bit 0 for z, each set unless
// the point lies below the box's midpoint (a point on the midpoint goes to the upper half).
int octantOf(const LodNode& node, const float point[3]) {
    int octant = 0;
    for (int axis = 0; axis < 3; ++axis) {
        const float middle = (node.boxMax[axis] + node.boxMin[axis]) * 0.5f;
        if (!(middle > point[axis])) octant |= 4 >> axis;
    }
    return octant;
}

void appendRef(BodyStore& store, TriangleRef**& tail, MeshTriangle* triangle) {
    TriangleRef* cell = store.allocate<TriangleRef>();
    cell->triangle = triangle;
    *tail = cell;
    tail = &cell->next;
}

class TreeBuilder {
public:
    explicit TreeBuilder(CelestialBody* body) : body_(body), mesh_(body->mesh), store_(*body->mesh.store) {}

    LodNode* build() {
        LodNode* root = store_.allocate<LodNode>();
        for (int axis = 0; axis < 3; ++axis) {
            root->boxMin[axis] = body_->boxCorners[0][axis];
            root->boxMax[axis] = body_->boxCorners[7][axis];
        }
        root->hasEntries = 1;
        for (int i = 0; i < mesh_.vertexCount; ++i) {
            LodNode* entry = store_.allocate<LodNode>();
            entry->vertex = &mesh_.vertices[i];
            for (int axis = 0; axis < 3; ++axis) entry->boxMin[axis] = entry->boxMax[axis] = entry->vertex->position[axis];
            insert(root, entry, 0);
        }
        collectAdjacency();
        lodTail_ = &mesh_.lodVertices;
        while (*lodTail_) lodTail_ = &(*lodTail_)->next;
        finish(root);
        return root;
    }

private:
    // Places an entry, splitting full leaves on the way down.
    void insert(LodNode* node, LodNode* entry, int depth) {
        for (;;) {
            if (!node->full) {
                place(node, entry);
                return;
            }
            if (!node->split) {
                if (depth >= LOD_MAX_DEPTH) return;  // left out: see LOD_MAX_DEPTH
                splitNode(node, depth);
            }
            node = node->children[octantOf(*node, entry->vertex->position)];
            ++depth;
        }
    }

    static void place(LodNode* node, LodNode* entry) {
        int slot = 0;
        while (slot < 7 && node->children[slot]) ++slot;  // a node that is not full has a free slot
        node->children[slot] = entry;
        entry->parent = node;
        entry->collapsed = 1;
        entry->isEntry = 1;
        node->hasEntries = 1;
        node->isEntry = 0;
        node->collapsed = 0;
        if (slot == 7) node->full = 1;
    }

    // Replaces a full leaf's eight entries by eight octants and inserts the entries again, in slot
    // order. Eight entries cannot fill an octant past its eighth slot, so this never nests.
    void splitNode(LodNode* node, int depth) {
        LodNode* entries[8];
        for (int slot = 0; slot < 8; ++slot) {
            entries[slot] = node->children[slot];
            LodNode* octant = store_.allocate<LodNode>();
            for (int axis = 0; axis < 3; ++axis) {
                const float middle = (node->boxMax[axis] + node->boxMin[axis]) * 0.5f;
                const bool upper = (slot & (4 >> axis)) != 0;
                octant->boxMin[axis] = upper ? middle : node->boxMin[axis];
                octant->boxMax[axis] = upper ? node->boxMax[axis] : middle;
            }
            octant->parent = node;
            octant->collapsed = 1;
            node->children[slot] = octant;
        }
        node->split = 1;
        node->hasEntries = 0;
        for (LodNode* entry : entries) {
            entry->parent = nullptr;
            insert(node->children[octantOf(*node, entry->vertex->position)], entry, depth + 1);
        }
    }

    // The triangles of each vertex in ascending order, so that a leaf finds the triangles touching
    // its entries without scanning the whole mesh.
    void collectAdjacency() {
        const int n = mesh_.vertexCount;
        adjacencyStart_.assign(n + 1, 0);
        for (int t = 0; t < mesh_.triangleCount; ++t) {
            for (int c = 0; c < 3; ++c) ++adjacencyStart_[mesh_.triangleIndices[t][c] + 1];
        }
        for (int v = 0; v < n; ++v) adjacencyStart_[v + 1] += adjacencyStart_[v];
        adjacency_.assign(adjacencyStart_[n], 0);
        std::vector<int> fill(adjacencyStart_.begin(), adjacencyStart_.end() - 1);
        for (int t = 0; t < mesh_.triangleCount; ++t) {
            for (int c = 0; c < 3; ++c) adjacency_[fill[mesh_.triangleIndices[t][c]]++] = t;
        }
        seen_.assign(mesh_.triangleCount, 0);
        added_.assign(mesh_.triangleCount, 0);
        count_.assign(mesh_.triangleCount, 0);
    }

    // Representatives and triangle lists, children first.
    void finish(LodNode* node) {
        if (node->split) {
            for (LodNode* child : node->children) finish(child);
        }
        if (!node->hasEntries && !node->split) return;  // an octant that received no vertex
        makeRepresentative(node);
        if (node->hasEntries) {
            leafLists(node);
        } else {
            splitNodeLists(node);
        }
    }

    // The plain average of the entries' vertices (leaf) or of the children's representatives.
    void makeRepresentative(LodNode* node) {
        float sum[10] = {};
        int count = 0;
        for (LodNode* child : node->children) {
            if (!child) break;
            const MeshVertex* v = child->vertex;
            if (!v) continue;
            for (int i = 0; i < 3; ++i) sum[i] += v->position[i];
            for (int i = 0; i < 4; ++i) sum[3 + i] += v->colour[i];
            for (int i = 0; i < 3; ++i) sum[7 + i] += v->normal[i];
            ++count;
        }
        if (count == 0) return;
        MeshVertex* representative = store_.allocate<MeshVertex>();
        for (int i = 0; i < 3; ++i) representative->position[i] = sum[i] / count;
        for (int i = 0; i < 4; ++i) representative->colour[i] = sum[3 + i] / count;
        for (int i = 0; i < 3; ++i) representative->normal[i] = sum[7 + i] / count;
        node->vertex = representative;
        *lodTail_ = representative;
        lodTail_ = &representative->next;
    }

    // A triangle with two or more corners among the leaf's entries is degenerate here, one with
    // exactly one is a boundary triangle. Both lists in triangle order.
    void leafLists(LodNode* node) {
        scratch_.clear();
        for (LodNode* entry : node->children) {
            if (!entry) break;
            const int v = static_cast<int>(entry->vertex - mesh_.vertices);
            scratch_.insert(scratch_.end(), adjacency_.begin() + adjacencyStart_[v],
                            adjacency_.begin() + adjacencyStart_[v + 1]);
        }
        std::sort(scratch_.begin(), scratch_.end());
        TriangleRef** boundaryTail = &node->boundaryTriangles;
        TriangleRef** degenerateTail = &node->degenerateTriangles;
        for (std::size_t i = 0; i < scratch_.size();) {
            std::size_t run = i;
            while (run < scratch_.size() && scratch_[run] == scratch_[i]) ++run;
            MeshTriangle* triangle = &mesh_.triangles[scratch_[i]];
            appendRef(store_, run - i >= 2 ? degenerateTail : boundaryTail, triangle);
            i = run;
        }
    }

    // A boundary triangle of two or more children is degenerate here; one of a single child stays
    // a boundary triangle. Children in slot order, each child's list in its order.
    void splitNodeLists(LodNode* node) {
        ++generation_;
        for (LodNode* child : node->children) {
            for (TriangleRef* ref = child->boundaryTriangles; ref; ref = ref->next) {
                const auto t = ref->triangle - mesh_.triangles;
                if (seen_[t] != generation_) {
                    seen_[t] = generation_;
                    count_[t] = 0;
                }
                ++count_[t];
            }
        }
        TriangleRef** boundaryTail = &node->boundaryTriangles;
        TriangleRef** degenerateTail = &node->degenerateTriangles;
        for (LodNode* child : node->children) {
            for (TriangleRef* ref = child->boundaryTriangles; ref; ref = ref->next) {
                const auto t = ref->triangle - mesh_.triangles;
                if (added_[t] == generation_) continue;
                added_[t] = generation_;
                appendRef(store_, count_[t] >= 2 ? degenerateTail : boundaryTail, ref->triangle);
            }
        }
    }

    CelestialBody* body_;
    BodyMesh& mesh_;
    BodyStore& store_;
    MeshVertex** lodTail_ = nullptr;
    std::vector<int> adjacencyStart_, adjacency_, scratch_;
    std::vector<unsigned> seen_, added_, count_;
    unsigned generation_ = 0;
};

void traverse(LodNode* node, CelestialBody* body, float distance) {
    if (node->frontier || node->hasEntries || node->collapsed) {
        const float size = node->boxMax[0] - node->boxMin[0];
        const float angle = std::atan2(size / distance, 1.0f);
        if (angle >= LOD_ANGLE) {
            if (node->collapsed) {
                expandLodNode(node, body);
                return;
            }
        } else {  // small, or not a number
            bool allCollapsed = true;
            for (LodNode* child : node->children) {
                if (!child) break;
                if (!child->collapsed) {
                    allCollapsed = false;
                    break;
                }
            }
            if (allCollapsed) {
                if (!node->collapsed) collapseLodNode(node, body);
                return;
            }
            if (node->collapsed) return;
        }
    }
    if (node->hasEntries) return;
    for (LodNode* child : node->children) {
        if (!child) break;
        traverse(child, body, distance);
    }
}

}  // namespace

LodNode* buildLodTree(CelestialBody* body) {
    TreeBuilder builder(body);
    return builder.build();
}

void collapseLodNode(LodNode* node, CelestialBody* body) {
    if (!node->parent) return;
    node->collapsed = 1;
    node->parent->frontier = 1;
    node->frontier = 0;
    for (TriangleRef* ref = node->degenerateTriangles; ref; ref = ref->next) ref->triangle->visible = 0;
    BodyStore& store = *body->mesh.store;
    for (TriangleRef* ref = node->boundaryTriangles; ref; ref = ref->next) {
        MeshTriangle* triangle = ref->triangle;
        for (LodNode* child : node->children) {
            if (!child) break;
            if (!child->vertex) continue;
            const auto match = std::find(triangle->corners, triangle->corners + 3, child->vertex);
            if (match == triangle->corners + 3) continue;
            const auto corner = match - triangle->corners;
            CornerSave* cell = store.takeCornerSave();
            cell->vertex = *match;
            cell->below = triangle->cornerHistory[corner];
            triangle->cornerHistory[corner] = cell;
            *match = node->vertex;
            break;
        }
    }
}

void expandLodNode(LodNode* node, CelestialBody* body) {
    if (!node->parent) return;
    node->collapsed = 0;
    LodNode* parent = node->parent;
    bool anyCollapsed = false;
    for (LodNode* sibling : parent->children) {
        if (!sibling) break;
        anyCollapsed = anyCollapsed || sibling->collapsed;
    }
    if (!anyCollapsed) parent->frontier = 0;
    node->frontier = 1;
    for (TriangleRef* ref = node->degenerateTriangles; ref; ref = ref->next) ref->triangle->visible = 1;
    BodyStore& store = *body->mesh.store;
    for (TriangleRef* ref = node->boundaryTriangles; ref; ref = ref->next) {
        MeshTriangle* triangle = ref->triangle;
        const auto match = std::find(triangle->corners, triangle->corners + 3, node->vertex);
        if (match == triangle->corners + 3) continue;
        const auto corner = match - triangle->corners;
        CornerSave* cell = triangle->cornerHistory[corner];
        if (!cell) continue;  // nothing saved for this corner: leave it
        *match = cell->vertex;
        triangle->cornerHistory[corner] = cell->below;
        store.returnCornerSave(cell);
    }
}

void updateLod(LodNode* node, CelestialBody* body) {
    // Both matrices stay the same for the whole traversal, so they are read once.
    float modelview[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // The clip-space vector of the body's centre, not divided by w: the same for every node.
    float centre[4] = {body->boxCentre[0], body->boxCentre[1], body->boxCentre[2], body->boxCentre[3]};
    transformPoint(centre, modelview);
    transformPoint(centre, projection);
    const float distance = std::sqrt(centre[0] * centre[0] + centre[1] * centre[1] + centre[2] * centre[2]);
    traverse(node, body, distance);
}
