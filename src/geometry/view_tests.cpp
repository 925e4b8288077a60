#include "geometry/view_tests.h"

#include "gl/gl_api.h"

void transformPoint(float point[4], const float matrix[16]) {
    const float x = point[0], y = point[1], z = point[2], w = point[3];
    for (int row = 0; row < 4; ++row) {
        point[row] = matrix[row] * x + matrix[4 + row] * y + matrix[8 + row] * z + matrix[12 + row] * w;
    }
}

int bodyOffScreen(const CelestialBody* body) {
    float modelview[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    return bodyOffScreenIn(body, modelview, projection);
}

int bodyOffScreenIn(const CelestialBody* body, const float modelview[16], const float projection[16]) {
    // One bit per plane, set while every corner so far lies outside it.
    unsigned outsideAll = 0x3F;
    for (const float* corner : body->boxCorners) {
        float clip[4] = {corner[0], corner[1], corner[2], corner[3]};
        transformPoint(clip, modelview);
        transformPoint(clip, projection);
        const float w = clip[3];
        unsigned outside = 0;
        for (int axis = 0; axis < 3; ++axis) {
            if (clip[axis] < -w) outside |= 1u << (2 * axis);
            if (clip[axis] > w) outside |= 2u << (2 * axis);
        }
        outsideAll &= outside;
        if (outsideAll == 0) return 0;
    }
    return 1;
}
