#include "geometry/view_tests.h"

#include "gl/gl_api.h"

void transformPoint(float point[4], const float matrix[16]) {
    const float x = point[0], y = point[1], z = point[2], w = point[3];
    for (int row = 0; row < 4; ++row) {
        point[row] = matrix[row] * x + matrix[4 + row] * y + matrix[8 + row] * z + matrix[12 + row] * w;
    }
}

namespace {

// Normalised coordinate (clip / w) shifted by the widened half window: in view strictly between
// 0 and 2.4. A point at w = 0 gives no number and is never in view.
bool insideWidenedWindow(float clip, float w) {
    const double shifted = clip / w + 1.2;
    return shifted > 0.0 && shifted < 2.4;
}

}  // namespace

int bodyOffScreen(const CelestialBody* body) {
    float modelview[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (int i = -1; i < 8; ++i) {
        const float* source = i < 0 ? body->boxCentre : body->boxCorners[i];
        float clip[4] = {source[0], source[1], source[2], source[3]};
        transformPoint(clip, modelview);
        transformPoint(clip, projection);
        if (insideWidenedWindow(clip[0], clip[3]) && insideWidenedWindow(clip[1], clip[3]) && clip[2] > 0.0f) {
            return 0;
        }
    }
    return 1;
}
