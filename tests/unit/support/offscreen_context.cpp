#include "support/offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdint>
#include <cstdio>

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

namespace {

uint32_t crc32(const unsigned char* data, size_t size, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBigEndian(std::vector<unsigned char>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

void writeChunk(FILE* file, const char* type, const std::vector<unsigned char>& data) {
    std::vector<unsigned char> chunk;
    putBigEndian(chunk, static_cast<uint32_t>(data.size()));
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    putBigEndian(chunk, crc32(chunk.data() + 4, chunk.size() - 4));
    fwrite(chunk.data(), 1, chunk.size(), file);
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgbBottomUp) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    fwrite(signature, 1, sizeof signature, file);
    std::vector<unsigned char> header;
    putBigEndian(header, static_cast<uint32_t>(width));
    putBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    writeChunk(file, "IHDR", header);
    // Raw scanlines (filter 0), top row first, in stored deflate blocks of at most 65535 bytes.
    std::vector<unsigned char> raw;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int y = height - 1; y >= 0; --y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgbBottomUp.begin() + y * rowBytes, rgbBottomUp.begin() + (y + 1) * rowBytes);
    }
    std::vector<unsigned char> zlib = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0;) {
        const size_t length = std::min<size_t>(65535, raw.size() - at);
        const bool last = at + length == raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.insert(zlib.end(), {static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8),
                                 static_cast<unsigned char>(~length), static_cast<unsigned char>(~length >> 8)});
        zlib.insert(zlib.end(), raw.begin() + at, raw.begin() + at + length);
        at += length;
        if (last) break;
    }
    uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(zlib, (b << 16) | a);
    writeChunk(file, "IDAT", zlib);
    writeChunk(file, "IEND", {});
    return std::fclose(file) == 0;
}
