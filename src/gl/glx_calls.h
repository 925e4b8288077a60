#pragma once
// The GLX side of the driver, beside the WGL calls of gl/window_system.h: a context for an X window's
// visual, making it current on a window, and showing the back buffer. Like the WGL calls, each entry
// point is looked up by name in the loaded driver library (glApi.library); a missing library or entry
// makes the call fail quietly. X types travel as untyped pointers and integers, so that nothing here
// needs the X11 headers: `display` is a Display*, `visualInfo` an XVisualInfo*, `drawable` an X id.
#include <cstdint>

// The window a GLX context draws to.
struct GlxSurface {
    void* display = nullptr;
    unsigned long drawable = 0;
    void* context = nullptr;
};

// True when the visual supports OpenGL RGBA drawing with a depth buffer; `doubleBuffered` tells
// whether it has a back buffer.
bool glxVisualUsable(void* display, void* visualInfo, bool* doubleBuffered);

// The driver's choice of a double-buffered RGBA visual with a 16-bit depth buffer on the screen, or
// null. The caller frees it with XFree.
void* glxChooseVisual(void* display, int screen);

// Creates a direct-rendering context for the visual and makes it current on the surface's drawable.
// False (and no context) when the driver refuses.
bool glxAttach(GlxSurface* surface, void* visualInfo);

// Releases the current context and destroys it.
void glxDetach(GlxSurface* surface);

// Shows the back buffer of the surface's drawable.
void glxPresent(const GlxSurface* surface);
