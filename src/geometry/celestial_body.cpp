// Construction of the twelve bodies from the mesh tables.
#include "geometry/celestial_body.h"

#include <cmath>
#include <vector>

#include "geometry/body_store.h"
#include "geometry/lod_tree.h"

namespace {

// Places the table vertices and returns the bounding box of the placed positions, tracked in double
// precision from +-1,000,000 with strict comparisons.
void placeVertices(CelestialBody* body, const MeshTables& tables, double boxMin[3], double boxMax[3]) {
    const float scale = BODY_SCALES[body->index];
    const float radius = static_cast<float>(BODY_ORBIT_RADII[body->index]);
    const float liftZ = body->index == MOON_INDEX ? MOON_OFFSET_Z : 0.0f;
    for (int axis = 0; axis < 3; ++axis) {
        boxMin[axis] = 1000000.0;
        boxMax[axis] = -1000000.0;
    }
    for (int i = 0; i < tables.vertexCount; ++i) {
        const float* table = tables.vertices[i];
        MeshVertex& v = body->mesh.vertices[i];
        // Table (x, y, z) to body (x, z, y): the polar axis becomes vertical.
        v.position[0] = table[0] * scale + radius;
        v.position[1] = table[2] * scale;
        v.position[2] = liftZ == 0.0f ? table[1] * scale : table[1] * scale + liftZ;
        for (int axis = 0; axis < 3; ++axis) {
            const double p = v.position[axis];
            if (p < boxMin[axis]) boxMin[axis] = p;
            if (p > boxMax[axis]) boxMax[axis] = p;
        }
        for (float& c : v.colour) c = 1.0f;
    }
}

void copyTriangles(CelestialBody* body, const MeshTables& tables) {
    BodyMesh& mesh = body->mesh;
    for (int t = 0; t < tables.triangleCount; ++t) {
        MeshTriangle& triangle = mesh.triangles[t];
        for (int c = 0; c < 3; ++c) {
            const int32_t vertex = tables.triangles[t][c];
            const float* uv = tables.texCoords[tables.triangleTexIndices[t][c]];
            mesh.triangleIndices[t][c] = vertex;
            triangle.corners[c] = &mesh.vertices[vertex];
            triangle.cornerHistory[c] = nullptr;
            triangle.texCoords[c][0] = uv[0];
            triangle.texCoords[c][1] = uv[1];
        }
        triangle.visible = 1;
    }
}

void setBox(CelestialBody* body, const double boxMin[3], const double boxMax[3]) {
    for (int k = 0; k < 8; ++k) {
        for (int axis = 0; axis < 3; ++axis) {
            const bool upper = (k & (4 >> axis)) != 0;
            body->boxCorners[k][axis] = static_cast<float>(upper ? boxMax[axis] : boxMin[axis]);
        }
        body->boxCorners[k][3] = 1.0f;
    }
    for (int axis = 0; axis < 3; ++axis) {
        body->boxCentre[axis] = static_cast<float>((boxMin[axis] + boxMax[axis]) / 2.0);
    }
    body->boxCentre[3] = 1.0f;
}

}  // namespace

void buildBody(CelestialBody* body, int index, const MeshTables& tables) {
    *body = CelestialBody{};
    body->index = index;
    BodyMesh& mesh = body->mesh;
    mesh.store = new BodyStore;
    mesh.vertexCount = tables.vertexCount;
    mesh.triangleCount = tables.triangleCount;
    mesh.vertices = mesh.store->allocate<MeshVertex>(tables.vertexCount);
    mesh.triangles = mesh.store->allocate<MeshTriangle>(tables.triangleCount);
    mesh.triangleIndices = mesh.store->allocate<int32_t[3]>(tables.triangleCount);

    double boxMin[3], boxMax[3];
    placeVertices(body, tables, boxMin, boxMax);
    copyTriangles(body, tables);

    body->position[0] = static_cast<float>(BODY_ORBIT_RADII[index]);
    body->position[2] = index == MOON_INDEX ? MOON_OFFSET_Z : 0.0f;
    setBox(body, boxMin, boxMax);
    for (float& c : body->baseColour) c = 1.0f;
    body->alpha = index == RING_INDEX ? 0.6f : 1.0f;

    computeVertexNormals(body);
    mesh.lodRoot = buildLodTree(body);
}

bool buildBodies(CelestialBody* first, TextureLoader loadTexture) {
    CelestialBody* body = first;
    for (int i = 0; i < BODY_COUNT; ++i) {
        buildBody(body, i, i == RING_INDEX ? RingTables : SphereTables);
        if (i < BODY_COUNT - 1) body->next = new CelestialBody{};
        if (loadTexture) {
            const BodyTexture& texture = BODY_TEXTURES[i];
            loadTexture(texture.resourceId, static_cast<unsigned int>(i), texture.width, texture.height);
        }
        body = body->next;
    }
    return true;
}

void computeVertexNormals(CelestialBody* body) {
    BodyMesh& mesh = body->mesh;
    // Summed per triangle in triangle order: each vertex sees its triangles' cross products added in
    // the same order as a per-vertex scan of all triangles would add them.
    std::vector<float> sums(3 * static_cast<std::size_t>(mesh.vertexCount), 0.0f);
    std::vector<int> counts(mesh.vertexCount, 0);
    for (int t = 0; t < mesh.triangleCount; ++t) {
        const int32_t* corner = mesh.triangleIndices[t];
        const float* p0 = mesh.vertices[corner[0]].position;
        const float* p1 = mesh.vertices[corner[1]].position;
        const float* p2 = mesh.vertices[corner[2]].position;
        const float e1[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
        const float e2[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
        const float cross[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                e1[0] * e2[1] - e1[1] * e2[0]};
        for (int c = 0; c < 3; ++c) {
            for (int axis = 0; axis < 3; ++axis) sums[3 * corner[c] + axis] += cross[axis];
            ++counts[corner[c]];
        }
    }
    for (int v = 0; v < mesh.vertexCount; ++v) {
        float s[3] = {sums[3 * v], sums[3 * v + 1], sums[3 * v + 2]};
        if (counts[v] > 0) {
            for (float& value : s) value /= static_cast<float>(counts[v]);
        }
        const float length = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
        float* normal = mesh.vertices[v].normal;
        // A vertex of no triangle (or of degenerate ones only) has no direction: it keeps a zero normal.
        for (int axis = 0; axis < 3; ++axis) normal[axis] = length > 0.0f ? -s[axis] / length : 0.0f;
    }
}

void releaseBodies(CelestialBody* first) {
    CelestialBody* body = first;
    while (body) {
        CelestialBody* next = body->next;
        delete body->mesh.store;
        if (body != first) delete body;
        body = next;
    }
    *first = CelestialBody{};
}
