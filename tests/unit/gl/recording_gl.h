#pragma once
// A GL table of the tests' own. Every entry is a typed function that does nothing and returns zero;
// the calls the tests check are recorded in order, with their arguments widened to double. glGetFloatv
// answers the matrices of fake_gl; the two GLU functions and the system buffer swap are recorded too.
//
// glVertex3f is only counted: glEnd records how many vertices its block sent. The image uploads read
// every byte they are given (so a short buffer shows up under AddressSanitizer) and record a hash.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "geometry/fake_gl.h"
#include "gl/gl_api.h"
#include "gl/glu.h"
#include "platform/platform.h"

namespace recording_gl {

struct Call {
    std::string name;
    std::vector<double> args;
    uint32_t pixels = 0;  // hash of the bytes an image upload read
};

inline bool operator==(const Call& a, const Call& b) { return a.name == b.name && a.args == b.args; }
inline void PrintTo(const Call& call, std::ostream* out) {
    *out << call.name << "(";
    for (std::size_t i = 0; i < call.args.size(); ++i) *out << (i ? ", " : "") << call.args[i];
    *out << ")";
}

inline std::vector<Call> calls;
inline int verticesInBlock = 0;

inline void record(const char* name, std::initializer_list<double> args, uint32_t pixels = 0) {
    calls.push_back(Call{name, std::vector<double>(args), pixels});
}

inline double address(const void* p) { return static_cast<double>(reinterpret_cast<std::uintptr_t>(p)); }

// FNV-1a over `size` bytes.
inline uint32_t hashBytes(const void* data, std::size_t size) {
    uint32_t hash = 2166136261u;
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

template <typename T>
T zero() {
    return T();
}

#define RECORDING_GL_QUIET(name, ret, params, args) \
    inline ret ORB_GLAPI quiet_##name params { return zero<ret>(); }
ORB_GL_CORE_FUNCTIONS(RECORDING_GL_QUIET)
ORB_GL_EXTENSION_FUNCTIONS(RECORDING_GL_QUIET)
#undef RECORDING_GL_QUIET

inline void ORB_GLAPI begin(GLenum mode) {
    verticesInBlock = 0;
    record("glBegin", {double(mode)});
}
inline void ORB_GLAPI end() { record("glEnd", {double(verticesInBlock)}); }
inline void ORB_GLAPI vertex3f(GLfloat, GLfloat, GLfloat) { ++verticesInBlock; }
inline void ORB_GLAPI bindTexture(GLenum target, GLuint name) {
    record("glBindTexture", {double(target), double(name)});
}
inline void ORB_GLAPI pushMatrix() { record("glPushMatrix", {}); }
inline void ORB_GLAPI popMatrix() { record("glPopMatrix", {}); }
inline void ORB_GLAPI rotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { record("glRotatef", {a, x, y, z}); }
inline void ORB_GLAPI translatef(GLfloat x, GLfloat y, GLfloat z) { record("glTranslatef", {x, y, z}); }
inline void ORB_GLAPI enable(GLenum cap) { record("glEnable", {double(cap)}); }
inline void ORB_GLAPI disable(GLenum cap) { record("glDisable", {double(cap)}); }
inline void ORB_GLAPI flush() { record("glFlush", {}); }
inline void ORB_GLAPI clear(GLbitfield mask) { record("glClear", {double(mask)}); }
inline void ORB_GLAPI clearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    record("glClearColor", {r, g, b, a});
}
inline void ORB_GLAPI color3f(GLfloat r, GLfloat g, GLfloat b) { record("glColor3f", {r, g, b}); }
inline void ORB_GLAPI loadIdentity() { record("glLoadIdentity", {}); }
inline void ORB_GLAPI matrixMode(GLenum mode) { record("glMatrixMode", {double(mode)}); }
inline void ORB_GLAPI frustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    record("glFrustum", {l, r, b, t, n, f});
}
inline void ORB_GLAPI ortho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    record("glOrtho", {l, r, b, t, n, f});
}
inline void ORB_GLAPI viewport(GLint x, GLint y, GLsizei w, GLsizei h) {
    record("glViewport", {double(x), double(y), double(w), double(h)});
}
inline void ORB_GLAPI blendFunc(GLenum s, GLenum d) { record("glBlendFunc", {double(s), double(d)}); }
inline void ORB_GLAPI cullFace(GLenum mode) { record("glCullFace", {double(mode)}); }
inline void ORB_GLAPI pixelStorei(GLenum name, GLint value) { record("glPixelStorei", {double(name), double(value)}); }
inline void ORB_GLAPI texParameteri(GLenum target, GLenum name, GLint value) {
    record("glTexParameteri", {double(target), double(name), double(value)});
}
inline void ORB_GLAPI texEnvf(GLenum target, GLenum name, GLfloat value) {
    record("glTexEnvf", {double(target), double(name), value});
}
inline void ORB_GLAPI texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                                 GLint border, GLenum format, GLenum type, const GLvoid* data) {
    const std::size_t size = width > 0 && height > 0 ? std::size_t(width) * std::size_t(height) * 3u : 0u;
    record("glTexImage2D",
           {double(target), double(level), double(internalFormat), double(width), double(height), double(border),
            double(format), double(type), address(data)},
           data ? hashBytes(data, size) : 0u);
}
inline void ORB_GLAPI lookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz,
                             GLdouble ux, GLdouble uy, GLdouble uz) {
    record("gluLookAt", {ex, ey, ez, cx, cy, cz, ux, uy, uz});
}
inline GLint ORB_GLAPI build2DMipmaps(GLenum target, GLint components, GLint width, GLint height, GLenum format,
                                      GLenum type, const void* data) {
    const std::size_t size = width > 0 && height > 0 ? std::size_t(width) * std::size_t(height) * 3u : 0u;
    record("gluBuild2DMipmaps",
           {double(target), double(components), double(width), double(height), double(format), double(type),
            address(data)},
           data ? hashBytes(data, size) : 0u);
    return 0;
}
inline bool systemSwap(void* deviceContext) {
    record("SwapBuffers", {address(deviceContext)});
    return true;
}

// The recorded calls with one of the given names, in order.
inline std::vector<Call> only(std::initializer_list<const char*> names) {
    std::vector<Call> kept;
    for (const Call& call : calls)
        for (const char* name : names)
            if (call.name == name) kept.push_back(call);
    return kept;
}

// Puts the recording table into glApi and gluApi, and the system swap into the platform table; puts
// all three back at the end of the scope.
class ScopedRecordingGl {
public:
    ScopedRecordingGl() : savedGl_(glApi), savedGlu_(gluApi), savedPlatform_(platform) {
        glApi = GlApi{};
#define RECORDING_GL_STORE(name, ret, params, args) glApi.name = &quiet_##name;
        ORB_GL_CORE_FUNCTIONS(RECORDING_GL_STORE)
        ORB_GL_EXTENSION_FUNCTIONS(RECORDING_GL_STORE)
#undef RECORDING_GL_STORE
        glApi.glBegin = &begin;
        glApi.glEnd = &end;
        glApi.glVertex3f = &vertex3f;
        glApi.glBindTexture = &bindTexture;
        glApi.glPushMatrix = &pushMatrix;
        glApi.glPopMatrix = &popMatrix;
        glApi.glRotatef = &rotatef;
        glApi.glTranslatef = &translatef;
        glApi.glEnable = &enable;
        glApi.glDisable = &disable;
        glApi.glFlush = &flush;
        glApi.glClear = &clear;
        glApi.glClearColor = &clearColor;
        glApi.glColor3f = &color3f;
        glApi.glLoadIdentity = &loadIdentity;
        glApi.glMatrixMode = &matrixMode;
        glApi.glFrustum = &frustum;
        glApi.glOrtho = &ortho;
        glApi.glViewport = &viewport;
        glApi.glBlendFunc = &blendFunc;
        glApi.glCullFace = &cullFace;
        glApi.glPixelStorei = &pixelStorei;
        glApi.glTexParameteri = &texParameteri;
        glApi.glTexEnvf = &texEnvf;
        glApi.glTexImage2D = &texImage2D;
        glApi.glGetFloatv = &fake_gl::getFloatv;
        gluApi.gluLookAt = &lookAt;
        gluApi.gluBuild2DMipmaps = &build2DMipmaps;
        platform.systemSwapBuffers = &systemSwap;
        calls.clear();
        verticesInBlock = 0;
    }
    ~ScopedRecordingGl() {
        glApi = savedGl_;
        gluApi = savedGlu_;
        platform = savedPlatform_;
        calls.clear();
    }
    ScopedRecordingGl(const ScopedRecordingGl&) = delete;
    ScopedRecordingGl& operator=(const ScopedRecordingGl&) = delete;

private:
    GlApi savedGl_;
    GluApi savedGlu_;
    Platform savedPlatform_;
};

}  // namespace recording_gl
