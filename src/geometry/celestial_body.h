#pragma once
// The twelve drawn bodies: the Sun, the nine planets, the Earth's Moon and Saturn's ring, each with
// its own copy of a built-in mesh, already scaled and placed on the orbital plane.
//
// Body coordinates are the scene's model coordinates before the per-frame orbit and spin turns:
// the Sun at the origin, the orbital plane y = 0, y up. A table point (x, y, z) becomes
// (x s + R, z s, y s) for scale s and orbit radius R, so the table's polar axis turns vertical. The
// swap mirrors the mesh: body triangles are clockwise seen from outside (front faces are culled).
#include <cstdint>

#include "geometry/mesh_tables.h"

struct LodNode;
class BodyStore;

// One vertex of a body mesh, or a representative vertex made by the level-of-detail tree.
struct MeshVertex {
    float position[3];  // body coordinates
    float colour[4];    // r, g, b, a sent with the vertex; rewritten by the colour passes
    float normal[3];    // unit length, pointing towards the body's centre (inward); never turned
    MeshVertex* next;   // next representative vertex of the body; null for mesh vertices
};

// A corner pointer saved by a collapse, restored by the matching expansion.
struct CornerSave {
    MeshVertex* vertex;
    CornerSave* below;  // the cell under this one on the corner's stack
};

struct MeshTriangle {
    MeshVertex* corners[3];          // drawn vertices: mesh vertices, or representatives while collapsed
    CornerSave* cornerHistory[3];    // per corner, the stack of pointers that collapses replaced
    float texCoords[3][2];           // u, v per corner, fixed at construction
    uint8_t visible;                 // 0 while degenerate under a collapsed tree node
};

struct BodyMesh {
    int32_t vertexCount;           // 1002 (sphere) or 400 (ring)
    int32_t triangleCount;         // 2000 (sphere) or 800 (ring)
    MeshVertex* vertices;          // in table order
    MeshVertex* lodVertices;       // representative vertices, linked through `next`
    MeshTriangle* triangles;       // in table order
    LodNode* lodRoot;
    int32_t (*triangleIndices)[3]; // the table's vertex index triples, for the normals
    BodyStore* store;              // owns every array, node, list cell and vertex above
};

struct CelestialBody {
    float position[3];        // centre as placed: (R, 0, 0); the Moon (750, 0, 150)
    BodyMesh mesh;
    float lightPosition[3];   // the Sun's centre in body coordinates: (0, 0, 0)
    int32_t index;            // 0 to 11: place in the list, and the name of the body's texture
    float baseColour[3];      // multiplied into the lit colour
    float alpha;              // 1.0; 0.6 for the ring
    float boxCorners[8][4];   // (x, y, z, 1); corner k takes the maximum x if bit 2 is set, y bit 1, z bit 0
    float boxCentre[4];       // (x, y, z, 1)
    CelestialBody* next;      // null after the ring
};

constexpr int BODY_COUNT = 12;
constexpr int SUN_INDEX = 0;
constexpr int EARTH_INDEX = 3;
constexpr int SATURN_INDEX = 6;
constexpr int MOON_INDEX = 10;
constexpr int RING_INDEX = 11;

// Scale of the mesh tables and orbit radius (scene units along +x), by body index.
constexpr float BODY_SCALES[BODY_COUNT] = {1.1f, 0.15f, 0.3f,  0.375f, 0.3f, 0.8f,
                                           0.7f, 0.375f, 0.3f, 0.1f,   0.05f, 2.4f};
constexpr int BODY_ORBIT_RADII[BODY_COUNT] = {0, 350, 550, 750, 950, 1250, 1750, 2300, 2500, 2700, 750, 1750};
// The Moon is lifted off the Earth's orbit along body z.
constexpr float MOON_OFFSET_Z = 150.0f;
// The Earth's centre: the Moon swings about the vertical through it.
constexpr float EARTH_CENTRE[3] = {750.0f, 0.0f, 0.0f};

// The texture resource of each body and its size in pixels.
struct BodyTexture {
    int resourceId;
    int width;
    int height;
};
constexpr BodyTexture BODY_TEXTURES[BODY_COUNT] = {
    {236, 512, 512}, {232, 512, 512}, {227, 512, 512}, {238, 512, 512}, {231, 512, 512}, {230, 512, 512},
    {235, 512, 512}, {237, 256, 256}, {234, 256, 256}, {239, 256, 256}, {233, 256, 256}, {240, 256, 256}};

// Uploads texture resource `resourceId` of `width` x `height` pixels into texture object
// `textureName`; needs a current rendering context.
using TextureLoader = void (*)(int resourceId, unsigned int textureName, int width, int height);

// Builds all twelve bodies into `first` (uninitialised; the caller owns the record) and eleven new
// records linked behind it in drawing order. Each body's texture is loaded with `loadTexture`
// right after its tree is built; with no loader the bodies are built without textures.
// Always returns true.
bool buildBodies(CelestialBody* first, TextureLoader loadTexture = nullptr);

// One body from a mesh table: placement by the index's scale and radius, box, colours, normals
// and level-of-detail tree. Sets every field except `next` (null).
void buildBody(CelestialBody* body, int index, const MeshTables& tables);

// Fills the normal of every mesh vertex from the positions and triangleIndices: the mean of the
// cross products of the vertex's triangles, reversed and made unit length.
void computeVertexNormals(CelestialBody* body);

// Releases everything buildBodies made: the storage of all twelve bodies and the eleven records
// behind `first`, which is left zeroed. The saver itself keeps its bodies until it exits.
void releaseBodies(CelestialBody* first);
