#pragma once
// The level-of-detail octree of a body: vertex clustering driven by the angle each node's box
// subtends from the camera. A collapsed node is drawn as its representative vertex (the average of
// the vertices beneath it): every triangle corner under it is redrawn there and the triangles that
// become degenerate are hidden. Collapses climb one level per frame, expansions descend one level
// per frame.
//
// Node kinds: the root (box = the body's bounding box; never collapses); entries, one per mesh
// vertex, always collapsed, never evaluated; octants, made by splitting a full leaf. An octant that
// received no vertex stays collapsed, has no representative and no triangles.
#include <cstdint>

#include "geometry/celestial_body.h"

struct MeshTriangle;

// One cell of a node's triangle list; lists grow at the tail and never hold a triangle twice.
struct TriangleRef {
    MeshTriangle* triangle;
    TriangleRef* next;
};

struct LodNode {
    MeshVertex* vertex;    // an entry's mesh vertex, or the node's representative (null: empty octant)
    uint8_t full;          // has held eight entries; stays set after the split
    uint8_t hasEntries;    // a leaf: the child slots hold entries
    uint8_t isEntry;       // wraps one mesh vertex
    uint8_t split;         // has been split into eight octants
    uint8_t frontier;      // evaluated although neither a leaf nor collapsed (a child is collapsed,
                           // or the node itself was expanded)
    LodNode* children[8];  // entries or octants from slot 0; a null slot ends the list
    LodNode* parent;       // null for the root
    TriangleRef* boundaryTriangles;    // exactly one corner clusters under this node
    TriangleRef* degenerateTriangles;  // the corners first meet in this node
    uint8_t collapsed;     // drawn as the representative vertex
    float boxMin[3];       // body coordinates
    float boxMax[3];
};

// A node whose box spans less than this angle from the camera (radians, x extent against the
// distance of the body's centre in clip space) collapses; at or above it, it opens again.
constexpr double LOD_ANGLE = 0.005;

// Insertion stops splitting at this depth (the root is depth 0). More than eight coincident
// vertices can never be separated; the ones that find a full leaf here are left out of the tree
// and always drawn at full detail. The built-in meshes reach nowhere near this depth.
constexpr int LOD_MAX_DEPTH = 24;

// Builds the tree over a body whose vertices, normals, box and triangles are complete; appends the
// representatives to the body's lodVertices. Every triangle stays visible: the full-detail mesh.
LodNode* buildLodTree(CelestialBody* body);

// One level-of-detail step for a body on screen; reads the current modelview and projection
// matrices through glGetFloatv.
void updateLod(LodNode* node, CelestialBody* body);

// Collapse and expansion of one node (the root never collapses). Collapse saves the replaced
// corners on the triangles' cornerHistory stacks; expansion pops them again.
void collapseLodNode(LodNode* node, CelestialBody* body);
void expandLodNode(LodNode* node, CelestialBody* body);
