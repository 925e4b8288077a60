#include "scene/rotation.h"

#include <cmath>

RotationMatrix axisAngleMatrix(const float axis[3], float degrees) {
    const float theta = degrees * DEGREES_TO_RADIANS;
    const float c = static_cast<float>(std::cos(static_cast<double>(theta)));
    const float s = static_cast<float>(std::sin(static_cast<double>(theta)));
    const float x = axis[0], y = axis[1], z = axis[2];
    const float t = 1.0f - c;
    return {{x * x + (1.0f - x * x) * c, x * y * t + z * s, x * z * t - y * s,
             x * y * t - z * s, y * y + (1.0f - y * y) * c, y * z * t + x * s,
             x * z * t + y * s, y * z * t - x * s, z * z + (1.0f - z * z) * c}};
}

void rotateVector(float v[3], const RotationMatrix& m) {
    const float x = v[0], y = v[1], z = v[2];
    v[0] = m.m[0] * x + m.m[1] * y + m.m[2] * z;
    v[1] = m.m[3] * x + m.m[4] * y + m.m[5] * z;
    v[2] = m.m[6] * x + m.m[7] * y + m.m[8] * z;
}
