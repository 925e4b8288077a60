#pragma once
// A real OpenGL context without a window or X server: EGL on Mesa's surfaceless platform (llvmpipe),
// drawing into a pbuffer. The saver's GlApi is loaded from the system's libGL through loadGlApi, so the
// saver's own drawing code runs unchanged. The still pictures of the Linux program and the pixel tests
// draw on it.
#include <string>
#include <vector>

class OffscreenContext {
public:
    OffscreenContext() = default;
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // Creates a width x height pbuffer context, makes it current and loads glApi. False (with the
    // reason in error()) when the machine has no EGL/OpenGL.
    bool create(int width, int height);
    const std::string& error() const { return error_; }

    // The colour buffer as RGB bytes, rows bottom-up.
    std::vector<unsigned char> readPixels() const;
    int width() const { return width_; }
    int height() const { return height_; }

private:
    void* display_ = nullptr;
    void* surface_ = nullptr;
    void* context_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::string error_;
};
