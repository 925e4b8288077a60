#pragma once
// Frees what setUpScene allocated, which the saver itself keeps until it exits, so that the leak
// checker sees a clean test.
#include "geometry/celestial_body.h"
#include "scene/scene.h"

inline void releaseScene() {
    if (scene.bodies) releaseBodies(scene.bodies);
    for (int k = 0; k < 3; ++k) {
        releaseCameraSpline(&scene.eyePath[k]);
        releaseCameraSpline(&scene.targetPath[k]);
    }
}
