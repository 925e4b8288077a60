#include "gl/driver_glu.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#include "gl/gl_api.h"

namespace {

constexpr GLint GLU_INVALID_VALUE = 100901;
constexpr GLint GLU_INVALID_ENUM = 100900;

void normalise(double v[3]) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0) return;
    for (int i = 0; i < 3; ++i) v[i] /= length;
}

void cross(const double a[3], const double b[3], double out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

void ORB_GLAPI driverLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
                            GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
    const double eye[3] = {eyeX, eyeY, eyeZ};
    const double centre[3] = {centreX, centreY, centreZ};
    const double up[3] = {upX, upY, upZ};
    double matrix[16];
    lookAtMatrix(eye, centre, up, matrix);
    glMultMatrixd(matrix);
    glTranslated(-eyeX, -eyeY, -eyeZ);
}

int componentsOf(GLenum format) {
    if (format == GL_RGB) return 3;
    if (format == GL_RGBA) return 4;
    return 0;
}

GLint ORB_GLAPI driverBuild2DMipmaps(GLenum target, GLint internalFormat, GLint width, GLint height,
                                     GLenum format, GLenum type, const void* data) {
    if (width < 1 || height < 1) return GLU_INVALID_VALUE;
    const int components = componentsOf(format);
    if (components == 0 || type != GL_UNSIGNED_BYTE) return GLU_INVALID_ENUM;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (maxSize < 1) maxSize = INT_MAX;  // no answer: take the image as it is

    int levelWidth = mipmapBaseSize(width, maxSize);
    int levelHeight = mipmapBaseSize(height, maxSize);
    const auto bytes = [components](int w, int h) {
        return static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * static_cast<std::size_t>(components);
    };
    std::vector<unsigned char> level(bytes(levelWidth, levelHeight));
    scaleImage(static_cast<const unsigned char*>(data), width, height, level.data(), levelWidth, levelHeight,
               components);
    std::vector<unsigned char> next;
    for (GLint number = 0;; ++number) {
        glTexImage2D(target, number, internalFormat, levelWidth, levelHeight, 0, format, type, level.data());
        if (levelWidth == 1 && levelHeight == 1) return 0;
        next.resize(bytes(levelWidth > 1 ? levelWidth / 2 : 1, levelHeight > 1 ? levelHeight / 2 : 1));
        halveImage(level.data(), levelWidth, levelHeight, next.data(), components);
        level.swap(next);
        if (levelWidth > 1) levelWidth /= 2;
        if (levelHeight > 1) levelHeight /= 2;
    }
}

}  // namespace

void lookAtMatrix(const double eye[3], const double centre[3], const double up[3], double matrix[16]) {
    double forward[3] = {centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]};
    normalise(forward);
    double side[3];
    cross(forward, up, side);
    normalise(side);
    double trueUp[3];
    cross(side, forward, trueUp);
    for (int i = 0; i < 16; ++i) matrix[i] = i % 5 == 0 ? 1.0 : 0.0;
    // Column-major: element (row r, column c) at c * 4 + r.
    for (int c = 0; c < 3; ++c) {
        matrix[c * 4 + 0] = side[c];
        matrix[c * 4 + 1] = trueUp[c];
        matrix[c * 4 + 2] = -forward[c];
    }
}

int mipmapBaseSize(int size, int maxTextureSize) {
    if (size < 1) return 0;
    long long power = 1;  // up to 2^32 for the largest sizes
    for (unsigned value = static_cast<unsigned>(size); value != 1; value >>= 1, power *= 2) {
        if (value == 3) {
            power *= 4;
            break;
        }
    }
    while (power > maxTextureSize && power > 1) power /= 2;
    return static_cast<int>(power);
}

void scaleImage(const unsigned char* source, int sourceWidth, int sourceHeight, unsigned char* target,
                int targetWidth, int targetHeight, int components) {
    if (sourceWidth == targetWidth && sourceHeight == targetHeight) {
        std::memcpy(target, source, static_cast<std::size_t>(targetWidth) * targetHeight * components);
        return;
    }
    // Each target pixel covers [x0, x1) x [y0, y1) of the source, in source pixels.
    const double stepX = static_cast<double>(sourceWidth) / targetWidth;
    const double stepY = static_cast<double>(sourceHeight) / targetHeight;
    std::vector<double> sum(static_cast<std::size_t>(components));
    for (int ty = 0; ty < targetHeight; ++ty) {
        const double y0 = ty * stepY, y1 = y0 + stepY;
        for (int tx = 0; tx < targetWidth; ++tx) {
            const double x0 = tx * stepX, x1 = x0 + stepX;
            for (double& s : sum) s = 0.0;
            double area = 0.0;
            for (int sy = static_cast<int>(y0); sy < sourceHeight && sy < y1; ++sy) {
                const double wy = std::fmin(y1, sy + 1.0) - std::fmax(y0, static_cast<double>(sy));
                for (int sx = static_cast<int>(x0); sx < sourceWidth && sx < x1; ++sx) {
                    const double w = wy * (std::fmin(x1, sx + 1.0) - std::fmax(x0, static_cast<double>(sx)));
                    const unsigned char* p = source + (static_cast<std::size_t>(sy) * sourceWidth + sx) * components;
                    for (int c = 0; c < components; ++c) sum[c] += w * p[c];
                    area += w;
                }
            }
            unsigned char* out = target + (static_cast<std::size_t>(ty) * targetWidth + tx) * components;
            for (int c = 0; c < components; ++c) out[c] = static_cast<unsigned char>(sum[c] / area + 0.5);
        }
    }
}

void halveImage(const unsigned char* source, int width, int height, unsigned char* target, int components) {
    const int halfWidth = width > 1 ? width / 2 : 1;
    const int halfHeight = height > 1 ? height / 2 : 1;
    const int dx = width > 1 ? 1 : 0;   // the second source column, if there is one
    const int dy = height > 1 ? 1 : 0;  // the second source row
    const int count = (1 + dx) * (1 + dy);
    for (int y = 0; y < halfHeight; ++y) {
        for (int x = 0; x < halfWidth; ++x) {
            const int sx = x * (1 + dx), sy = y * (1 + dy);
            for (int c = 0; c < components; ++c) {
                int total = 0;
                for (int j = 0; j <= dy; ++j) {
                    for (int i = 0; i <= dx; ++i) {
                        total += source[(static_cast<std::size_t>(sy + j) * width + sx + i) * components + c];
                    }
                }
                target[(static_cast<std::size_t>(y) * halfWidth + x) * components + c] =
                    static_cast<unsigned char>((total + count / 2) / count);
            }
        }
    }
}

GluApi driverGluApi() { return {driverLookAt, driverBuild2DMipmaps}; }
