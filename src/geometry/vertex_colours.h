#pragma once
// The per-vertex colour passes over a body's level-of-detail tree. Each walk colours the
// representative of every open node, stops at collapsed nodes after colouring their representative,
// and below open leaves colours the mesh vertices: every vertex a visible triangle can reference.
#include "geometry/lod_tree.h"

// Lit from the body's lightPosition (the Sun in the body's unturned frame, placed each tick):
// colour = a x baseColour with a = normal . (vertex - light) / |vertex - light| + 0.3, at least 0.3,
// with the vertices and normals as built. Normals point inward, so the side facing the light reaches
// 1.3 times the base colour and the far side 0.3. Alpha is left as it is.
void litColours(LodNode* node, CelestialBody* body);

// Flat white at the body's alpha (the Sun and the ring).
void unlitColours(LodNode* node, CelestialBody* body);
