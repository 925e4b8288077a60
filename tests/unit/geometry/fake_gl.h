#pragma once
// A stand-in for the driver in geometry tests: glGetFloatv answers the modelview and projection
// matrices a test sets, built the way the scene sets them up (a look-at camera and a frustum).
#include <cmath>
#include <cstring>

#include "gl/gl_api.h"

namespace fake_gl {

struct Matrices {
    float modelview[16];
    float projection[16];
};

inline Matrices current;
inline int getFloatCalls = 0;

inline void ORB_GLAPI getFloatv(GLenum name, GLfloat* values) {
    ++getFloatCalls;
    if (name == GL_MODELVIEW_MATRIX) std::memcpy(values, current.modelview, sizeof current.modelview);
    if (name == GL_PROJECTION_MATRIX) std::memcpy(values, current.projection, sizeof current.projection);
}

// Puts the fake into the process-wide table and the saved table back at the end of the scope.
class ScopedGl {
public:
    ScopedGl() : saved_(glApi) {
        glApi.glGetFloatv = &getFloatv;
        getFloatCalls = 0;
    }
    ~ScopedGl() { glApi = saved_; }
    ScopedGl(const ScopedGl&) = delete;
    ScopedGl& operator=(const ScopedGl&) = delete;

private:
    GlApi saved_;
};

// Column-major, as OpenGL stores them.
inline void frustum(float m[16], float left, float right, float bottom, float top, float zNear, float zFar) {
    std::memset(m, 0, 16 * sizeof(float));
    m[0] = 2 * zNear / (right - left);
    m[5] = 2 * zNear / (top - bottom);
    m[8] = (right + left) / (right - left);
    m[9] = (top + bottom) / (top - bottom);
    m[10] = -(zFar + zNear) / (zFar - zNear);
    m[11] = -1;
    m[14] = -2 * zFar * zNear / (zFar - zNear);
}

// The saver's perspective at a 4:3 screen: frustum(-1, 1, -0.75, 0.75, 1, 40000).
inline void saverProjection(float m[16]) { frustum(m, -1.0f, 1.0f, -0.75f, 0.75f, 1.0f, 40000.0f); }

inline void lookAt(float m[16], const float eye[3], const float target[3], const float up[3]) {
    float f[3] = {target[0] - eye[0], target[1] - eye[1], target[2] - eye[2]};
    const float fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (float& v : f) v /= fl;
    float s[3] = {f[1] * up[2] - f[2] * up[1], f[2] * up[0] - f[0] * up[2], f[0] * up[1] - f[1] * up[0]};
    const float sl = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
    for (float& v : s) v /= sl;
    const float u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
    const float rows[3][3] = {{s[0], s[1], s[2]}, {u[0], u[1], u[2]}, {-f[0], -f[1], -f[2]}};
    std::memset(m, 0, 16 * sizeof(float));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) m[4 * c + r] = rows[r][c];
        m[12 + r] = -(rows[r][0] * eye[0] + rows[r][1] * eye[1] + rows[r][2] * eye[2]);
    }
    m[15] = 1;
}

// The camera `distance` units from `target` along the direction `from` (need not be unit length),
// looking at the target with y up; the saver's projection.
inline void viewFrom(const float target[3], const float from[3], float distance) {
    const float length = std::sqrt(from[0] * from[0] + from[1] * from[1] + from[2] * from[2]);
    const float eye[3] = {target[0] + from[0] / length * distance, target[1] + from[1] / length * distance,
                          target[2] + from[2] / length * distance};
    const float up[3] = {0, 1, 0};
    lookAt(current.modelview, eye, target, up);
    saverProjection(current.projection);
}

}  // namespace fake_gl
