#include "geometry/vertex_colours.h"

#include <cmath>

namespace {

template <class Colour>
void walk(LodNode* node, Colour&& colour) {
    if (node->vertex) colour(*node->vertex);
    if (node->collapsed || node->isEntry) return;
    for (LodNode* child : node->children) {
        if (!child) break;
        walk(child, colour);
    }
}

}  // namespace

void litColours(LodNode* node, CelestialBody* body) {
    const float* light = body->lightPosition;
    const float* base = body->baseColour;
    walk(node, [light, base](MeshVertex& v) {
        const float dx = v.position[0] - light[0];
        const float dy = v.position[1] - light[1];
        const float dz = v.position[2] - light[2];
        const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
        float a = (v.normal[0] * dx + v.normal[1] * dy + v.normal[2] * dz) / length + 0.3f;
        // Also catches a vertex at the light itself (no direction, no number): it gets the floor.
        if (!(a >= 0.3f)) a = 0.3f;
        for (int i = 0; i < 3; ++i) v.colour[i] = a * base[i];
    });
}

void unlitColours(LodNode* node, CelestialBody* body) {
    const float alpha = body->alpha;
    walk(node, [alpha](MeshVertex& v) {
        v.colour[0] = v.colour[1] = v.colour[2] = 1.0f;
        v.colour[3] = alpha;
    });
}
