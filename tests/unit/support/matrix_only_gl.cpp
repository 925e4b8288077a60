#include "support/matrix_only_gl.h"

#include <cmath>
#include <vector>

#include "gl/gl_api.h"
#include "gl/glu.h"

namespace {

struct Matrix {
    double m[16];
};
Matrix identity() { return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }
Matrix times(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k) r.m[4 * c + row] += a.m[4 * k + row] * b.m[4 * c + k];
    return r;
}
std::vector<Matrix> modelview{identity()}, projection{identity()};
bool projectionMode = false;
std::vector<Matrix>& stack() { return projectionMode ? projection : modelview; }
void apply(const Matrix& m) { stack().back() = times(stack().back(), m); }

void ORB_GLAPI matrixMode(GLenum mode) { projectionMode = mode == GL_PROJECTION; }
void ORB_GLAPI loadIdentity() { stack().back() = identity(); }
void ORB_GLAPI pushMatrix() { stack().push_back(stack().back()); }
void ORB_GLAPI popMatrix() { stack().pop_back(); }
void ORB_GLAPI translatef(GLfloat x, GLfloat y, GLfloat z) { apply({{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}}); }
void ORB_GLAPI translated(GLdouble x, GLdouble y, GLdouble z) { apply({{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}}); }
void ORB_GLAPI multMatrixd(const GLdouble* m) {
    Matrix factor;
    for (int i = 0; i < 16; ++i) factor.m[i] = m[i];
    apply(factor);
}
void ORB_GLAPI rotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z) {
    const double l = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    const double a = x / l, b = y / l, c = z / l, t = degrees * M_PI / 180, co = std::cos(t), s = std::sin(t), C = 1 - co;
    apply({{a * a * C + co, b * a * C + c * s, a * c * C - b * s, 0, a * b * C - c * s, b * b * C + co,
            b * c * C + a * s, 0, a * c * C + b * s, b * c * C - a * s, c * c * C + co, 0, 0, 0, 0, 1}});
}
void ORB_GLAPI frustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    apply({{2 * n / (r - l), 0, 0, 0, 0, 2 * n / (t - b), 0, 0, (r + l) / (r - l), (t + b) / (t - b),
            -(f + n) / (f - n), -1, 0, 0, -2 * f * n / (f - n), 0}});
}
void ORB_GLAPI lookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
                      GLdouble uy, GLdouble uz) {
    double f[3] = {cx - ex, cy - ey, cz - ez};
    const double fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (double& v : f) v /= fl;
    double s[3] = {f[1] * uz - f[2] * uy, f[2] * ux - f[0] * uz, f[0] * uy - f[1] * ux};
    const double sl = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
    for (double& v : s) v /= sl;
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
    apply({{s[0], u[0], -f[0], 0, s[1], u[1], -f[1], 0, s[2], u[2], -f[2], 0, 0, 0, 0, 1}});
    translated(-ex, -ey, -ez);
}
void ORB_GLAPI getFloatv(GLenum name, GLfloat* values) {
    const Matrix& m = name == GL_PROJECTION_MATRIX ? projection.back() : modelview.back();
    for (int i = 0; i < 16; ++i) values[i] = static_cast<float>(m.m[i]);
}


GLint ORB_GLAPI buildNothing(GLenum, GLint, GLint, GLint, GLenum, GLenum, const void*) { return 0; }

}  // namespace

void installMatrixOnlyGl() {
#define ORB_GL_NOTHING(name, ret, params, args) glApi.name = [] params -> ret { return static_cast<ret>(0); };
    ORB_GL_CORE_FUNCTIONS(ORB_GL_NOTHING)
#undef ORB_GL_NOTHING
    glApi.glMatrixMode = matrixMode;
    glApi.glLoadIdentity = loadIdentity;
    glApi.glPushMatrix = pushMatrix;
    glApi.glPopMatrix = popMatrix;
    glApi.glTranslatef = translatef;
    glApi.glTranslated = translated;
    glApi.glRotatef = rotatef;
    glApi.glMultMatrixd = multMatrixd;
    glApi.glFrustum = frustum;
    glApi.glGetFloatv = getFloatv;
    gluApi.gluLookAt = lookAt;
    gluApi.gluBuild2DMipmaps = buildNothing;
    modelview.assign(1, identity());
    projection.assign(1, identity());
    projectionMode = false;
}
