#include "gl/glx_calls.h"

#include "gl/gl_api.h"
#include "platform/platform.h"

namespace {

// GLX attribute names and values (GL/glx.h).
constexpr int GLX_USE_GL = 1;
constexpr int GLX_RGBA = 4;
constexpr int GLX_DOUBLEBUFFER = 5;
constexpr int GLX_RED_SIZE = 8;
constexpr int GLX_GREEN_SIZE = 9;
constexpr int GLX_BLUE_SIZE = 10;
constexpr int GLX_DEPTH_SIZE = 12;
constexpr int GLX_NONE = 0;

using ChooseVisualFn = void* (*)(void*, int, int*);
using GetConfigFn = int (*)(void*, void*, int, int*);
using CreateContextFn = void* (*)(void*, void*, void*, int);
using DestroyContextFn = void (*)(void*, void*);
using MakeCurrentFn = int (*)(void*, unsigned long, void*);
using SwapBuffersFn = void (*)(void*, unsigned long);
using CreatePixmapFn = unsigned long (*)(void*, void*, unsigned long);
using DestroyPixmapFn = void (*)(void*, unsigned long);

template <typename F>
F glxEntry(const char* name) {
    if (!glApi.library) return nullptr;
    return reinterpret_cast<F>(platform.librarySymbol(glApi.library, name));
}

int configValue(void* display, void* visualInfo, int attribute) {
    auto getConfig = glxEntry<GetConfigFn>("glXGetConfig");
    int value = 0;
    if (!getConfig || getConfig(display, visualInfo, attribute, &value) != 0) return 0;
    return value;
}

}  // namespace

bool glxVisualUsable(void* display, void* visualInfo, bool* doubleBuffered) {
    if (!display || !visualInfo) return false;
    *doubleBuffered = configValue(display, visualInfo, GLX_DOUBLEBUFFER) != 0;
    return configValue(display, visualInfo, GLX_USE_GL) != 0 && configValue(display, visualInfo, GLX_RGBA) != 0 &&
           configValue(display, visualInfo, GLX_DEPTH_SIZE) >= 16;
}

void* glxChooseVisual(void* display, int screen) {
    auto choose = glxEntry<ChooseVisualFn>("glXChooseVisual");
    if (!choose || !display) return nullptr;
    int attributes[] = {GLX_RGBA,      GLX_RED_SIZE,   8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8,
                        GLX_DEPTH_SIZE, 16, GLX_DOUBLEBUFFER, GLX_NONE};
    return choose(display, screen, attributes);
}

bool glxAttach(GlxSurface* surface, void* visualInfo) {
    auto create = glxEntry<CreateContextFn>("glXCreateContext");
    auto makeCurrent = glxEntry<MakeCurrentFn>("glXMakeCurrent");
    if (!create || !makeCurrent || !surface->display || !visualInfo) return false;
    surface->context = create(surface->display, visualInfo, nullptr, 1);
    if (!surface->context) return false;
    if (!makeCurrent(surface->display, surface->drawable, surface->context)) {
        glxDetach(surface);
        return false;
    }
    return true;
}

bool glxAttachPixmap(GlxSurface* surface, void* visualInfo, unsigned long pixmap) {
    auto createPixmap = glxEntry<CreatePixmapFn>("glXCreateGLXPixmap");
    if (!createPixmap || !surface->display || !visualInfo) return false;
    surface->glxPixmap = createPixmap(surface->display, visualInfo, pixmap);
    if (!surface->glxPixmap) return false;
    surface->drawable = surface->glxPixmap;
    if (glxAttach(surface, visualInfo)) return true;
    glxDetach(surface);
    return false;
}

bool glxRetargetPixmap(GlxSurface* surface, void* visualInfo, unsigned long pixmap) {
    auto createPixmap = glxEntry<CreatePixmapFn>("glXCreateGLXPixmap");
    auto destroyPixmap = glxEntry<DestroyPixmapFn>("glXDestroyGLXPixmap");
    auto makeCurrent = glxEntry<MakeCurrentFn>("glXMakeCurrent");
    if (!createPixmap || !destroyPixmap || !makeCurrent || !surface->context) return false;
    const unsigned long next = createPixmap(surface->display, visualInfo, pixmap);
    if (!next) return false;
    if (!makeCurrent(surface->display, next, surface->context)) {
        destroyPixmap(surface->display, next);
        return false;
    }
    destroyPixmap(surface->display, surface->glxPixmap);
    surface->glxPixmap = next;
    surface->drawable = next;
    return true;
}

void glxFinishPixmap() { glFinish(); }

void glxDetach(GlxSurface* surface) {
    if (surface->context) {
        if (auto makeCurrent = glxEntry<MakeCurrentFn>("glXMakeCurrent")) makeCurrent(surface->display, 0, nullptr);
        if (auto destroy = glxEntry<DestroyContextFn>("glXDestroyContext")) destroy(surface->display, surface->context);
        surface->context = nullptr;
    }
    if (surface->glxPixmap) {
        if (auto destroyPixmap = glxEntry<DestroyPixmapFn>("glXDestroyGLXPixmap"))
            destroyPixmap(surface->display, surface->glxPixmap);
        surface->glxPixmap = 0;
        surface->drawable = 0;
    }
}

void glxPresent(const GlxSurface* surface) {
    if (auto swap = glxEntry<SwapBuffersFn>("glXSwapBuffers")) swap(surface->display, surface->drawable);
}
