#pragma once
// Several monitors as one window into space. The primary draws the scene as ever; every other monitor
// shows what lies beyond the primary's edges, with the same camera, at the same moment and at the same
// pixel scale, so that a body crossing a seam stays one body.
#include <cstdint>

#include "platform/platform.h"

// A view's near-plane rectangle in scene units (the near plane at 1, the far one at 40000).
struct ViewFrustum {
    double left, right, bottom, top;
};

// The frustum of a monitor at `area` (virtual-screen pixels, y growing downward, origins may be
// negative) beside a primary at (0, 0, W, H): with s = 1.5 / H near-plane units per pixel and
// r = 0.75 W / H, left = -r + x s, right = -r + (x + w) s, bottom = 0.75 - (y + h) s, top = 0.75 - y s.
// The primary's own rectangle gives its own frustum (-r, r, -0.75, 0.75).
ViewFrustum monitorFrustum(float primaryWidth, float primaryHeight, const MonitorArea& area);

// OpenGL drops a star (a wide point) whose centre lies outside the view, so one centred just beyond a
// seam would show only on its own side. Each view of several is drawn continued this many pixels past
// its edges and cut back to its own rectangle: the widest star is 5 pixels across.
constexpr int32_t VIEW_MARGIN = 4;

// One view of a frame: the drawable it goes to (a device context; null for the one drawable current
// now, which the frame then neither selects nor swaps), the rectangle it fills there (pixels from the
// drawable's lower left corner), its frustum and that frustum's projection matrix (column-major), and
// the projection of the frustum continued VIEW_MARGIN pixels past each edge, which it is drawn with.
struct FrameView {
    void* deviceContext;
    int32_t x, y, width, height;
    ViewFrustum frustum;
    float projection[16];
    float marginProjection[16];
};

// The primary and one view for each monitor beside it that can be drawn.
constexpr uint32_t MAX_FRAME_VIEWS = 17;
struct FrameViews {
    FrameView views[MAX_FRAME_VIEWS];
    uint32_t count = 0;       // 0: the frame of the one window, with its own frustum
    void* current = nullptr;  // the drawable the frame last made the context current on
};
extern FrameViews frameViews;

// Appends the view of a monitor at `area` (virtual-screen pixels) beside a primary of the given size
// (the primary first), filling the given rectangle of its drawable, and reads its projections from the
// driver. Needs a current rendering context; leaves the matrices as they were. False when the list is full.
bool addFrameView(void* deviceContext, int32_t x, int32_t y, float primaryWidth, float primaryHeight,
                  const MonitorArea& area);
