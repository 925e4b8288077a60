#include "gl/offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>


#include "gl/driver_library.h"
#include "gl/gl_api.h"

OffscreenContext::~OffscreenContext() {
    // The driver stays loaded and the display initialised until the process ends: Mesa keeps a few
    // allocations for the life of the display, which would be reported as leaks from an unloaded module.
    glApi = GlApi{};
    if (display_) {
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context_) eglDestroyContext(display_, context_);
        if (surface_) eglDestroySurface(display_, surface_);
    }
}

bool OffscreenContext::create(int width, int height) {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return error_ = "no eglGetPlatformDisplayEXT", false;
    display_ = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (!display_ || !eglInitialize(display_, nullptr, nullptr)) return error_ = "no surfaceless EGL display", false;
    if (!eglBindAPI(EGL_OPENGL_API)) return error_ = "EGL has no desktop OpenGL", false;
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                       EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 16, EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display_, configAttributes, &config, 1, &count) || count == 0)
        return error_ = "no pbuffer config", false;
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface_ = eglCreatePbufferSurface(display_, config, surfaceAttributes);
    if (!surface_) return error_ = "no pbuffer", false;
    context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
    if (!context_) return error_ = "no context", false;
    if (!eglMakeCurrent(display_, surface_, surface_, context_)) return error_ = "cannot make current", false;
    if (loadGlApi("libGL.so.1") != GL_LOAD_OK) return error_ = "libGL lacks an OpenGL 1.1 entry", false;
    width_ = width;
    height_ = height;
    return true;
}

std::vector<unsigned char> OffscreenContext::readPixels() const {
    std::vector<unsigned char> pixels(static_cast<size_t>(width_) * height_ * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
