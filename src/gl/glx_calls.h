#pragma once
// The GLX side of the driver, beside the WGL calls of gl/window_system.h: a context for an X window's
// visual, making it current on a window, and showing the back buffer. Like the WGL calls, each entry
// point is looked up by name in the loaded driver library (glApi.library); a missing library or entry
// makes the call fail quietly. X types travel as untyped pointers and integers, so that nothing here
// needs the X11 headers: `display` is a Display*, `visualInfo` an XVisualInfo*, `drawable` an X id.
#include <cstdint>

// The drawable a GLX context draws to: a window, or a GLX pixmap made on an X pixmap.
struct GlxSurface {
    void* display = nullptr;
    unsigned long drawable = 0;   // the window, or the GLX pixmap
    unsigned long glxPixmap = 0;  // non-zero when drawing into a pixmap
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

// Creates a context for the visual and makes it current on a GLX pixmap made on `pixmap` (an X
// pixmap of the visual's depth, owned by the caller and kept until glxDetach). Rendering goes to its
// single buffer; glxFinishPixmap completes it. False (and nothing left) when the driver refuses.
bool glxAttachPixmap(GlxSurface* surface, void* visualInfo, unsigned long pixmap);

// Moves the current context to a GLX pixmap on a new X pixmap of the same visual (after a resize)
// and destroys the previous GLX pixmap. False, keeping the previous one, when the driver refuses.
bool glxRetargetPixmap(GlxSurface* surface, void* visualInfo, unsigned long pixmap);

// Waits until the frame drawn into the pixmap is in it.
void glxFinishPixmap();

// Releases the current context and destroys it, and the GLX pixmap if there is one.
void glxDetach(GlxSurface* surface);

// Shows the back buffer of the surface's drawable.
void glxPresent(const GlxSurface* surface);
