#pragma once
// One view across several monitors on X11: where a window (or a still's tile) lies in the view that
// the primary monitor anchors. Rectangles are root-window pixels, y growing downward; RandR may put
// the primary anywhere, origins may be negative.
#include <cstdint>

#include "platform/platform.h"

// A window's part of the view: the primary's size and the window's rectangle in pixels from the
// primary's top left corner, as addFrameView takes them.
struct WindowView {
    float primaryWidth = 0.0f, primaryHeight = 0.0f;
    MonitorArea area;
};

// The view of a window at `window` among `monitors`: the primary is the monitor marked so, else the
// one holding the origin, else the first listed. With no monitors the window is its own primary.
WindowView windowView(const MonitorArea* monitors, uint32_t count, const MonitorArea& window);

// The smallest rectangle holding every monitor listed (count > 0).
MonitorArea boundingBox(const MonitorArea* monitors, uint32_t count);

// Replaces the frame's views with one for each rectangle of `shown` (root pixels): its part of the view
// the primary of `monitors` anchors, at its place in one drawable that covers `drawable` (root pixels).
// Needs a current rendering context.
void layOutViews(const MonitorArea* monitors, uint32_t count, const MonitorArea* shown, uint32_t shownCount,
                 const MonitorArea& drawable);
