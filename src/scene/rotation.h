#pragma once
// The 3 x 3 rotations shared by the update tick and manual flight. Matrices are nine 32-bit floats,
// row-major: m[0] m[1] m[2] is row 0.

struct RotationMatrix {
    float m[9];
};

// Degrees to radians with the 32-bit constant 0.017453 (a hair below pi / 180).
constexpr float DEGREES_TO_RADIANS = 0.017453f;

// The matrix that turns vectors by minus `degrees` about `axis` in the right-hand sense when the axis
// has unit length (so axisAngleMatrix((0, 1, 0), -a) turns as glRotatef(a, 0, 1, 0) does). The axis is
// not normalised; cos and sin are rounded to 32-bit floats.
RotationMatrix axisAngleMatrix(const float axis[3], float degrees);

// v = m v, all three products formed from the old v.
void rotateVector(float v[3], const RotationMatrix& m);
