#include <gtest/gtest.h>

#include <cmath>

#include "scene/rotation.h"

namespace {

// The matrix glRotatef(angle, x, y, z) multiplies by (unit axis), row-major 3 x 3.
void glRotation(double degrees, const double a[3], double m[9]) {
    const double t = degrees * M_PI / 180.0, c = std::cos(t), s = std::sin(t), C = 1 - c;
    const double x = a[0], y = a[1], z = a[2];
    const double r[9] = {x * x * C + c,     x * y * C - z * s, x * z * C + y * s,
                         y * x * C + z * s, y * y * C + c,     y * z * C - x * s,
                         x * z * C - y * s, y * z * C + x * s, z * z * C + c};
    for (int i = 0; i < 9; ++i) m[i] = r[i];
}

TEST(Rotation, TurnsAsGlRotateWithTheOppositeAngle) {
    const float axes[][3] = {{0, 1, 0}, {1, 0, 0}, {0.6f, 0.0f, 0.8f}, {0.48f, 0.6f, 0.64f}};
    for (const auto& axis : axes) {
        for (float degrees : {0.5f, -0.5f, 2.0f, 90.0f, 179.0f}) {
            const RotationMatrix ours = axisAngleMatrix(axis, -degrees);
            const double a[3] = {axis[0], axis[1], axis[2]};
            double gl[9];
            glRotation(degrees, a, gl);
            // 0.017453 is a hair below pi / 180: the turn falls short by 1.7e-5 of itself.
            const double allowed = std::fabs(degrees) * (M_PI / 180.0 - 0.017453) + 2e-6;
            for (int i = 0; i < 9; ++i) EXPECT_NEAR(ours.m[i], gl[i], allowed) << degrees << " entry " << i;
        }
    }
}

TEST(Rotation, RotateVectorUsesTheOldComponentsAndKeepsLength) {
    const float up[3] = {0, 1, 0};
    float v[3] = {1, 2, 3};
    rotateVector(v, axisAngleMatrix(up, -90.0f));  // glRotatef(90, 0, 1, 0): x -> -z, z -> x
    EXPECT_NEAR(v[0], 3.0f, 1e-4);
    EXPECT_NEAR(v[1], 2.0f, 1e-6);
    EXPECT_NEAR(v[2], -1.0f, 1e-4);
    EXPECT_NEAR(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]), std::sqrt(14.0f), 1e-4);
}

TEST(Rotation, AxisIsNotNormalised) {
    // A long axis scales the part along it: the matrix is c I + (1 - c) a a^T - s [a]x as written.
    const float axis[3] = {0, 2, 0};
    const RotationMatrix m = axisAngleMatrix(axis, 90.0f);
    EXPECT_NEAR(m.m[4], 4.0f, 1e-4);  // y^2 + (1 - y^2) c with c about 0
    EXPECT_NEAR(m.m[0], 0.0f, 1e-4);
}

}  // namespace
