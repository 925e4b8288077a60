#include "hack/monitor_layout.h"

#include "render/frame_views.h"
#include "saver/saver_windows.h"

WindowView windowView(const MonitorArea* monitors, uint32_t count, const MonitorArea& window) {
    uint32_t primary = primaryIndex(monitors, count);
    if (primary == count) primary = 0;
    const MonitorArea anchor = count > 0 ? monitors[primary] : window;
    WindowView view;
    view.primaryWidth = static_cast<float>(anchor.right - anchor.left);
    view.primaryHeight = static_cast<float>(anchor.bottom - anchor.top);
    view.area = MonitorArea{window.left - anchor.left, window.top - anchor.top, window.right - anchor.left,
                            window.bottom - anchor.top, false};
    return view;
}

MonitorArea boundingBox(const MonitorArea* monitors, uint32_t count) {
    MonitorArea box = monitors[0];
    for (uint32_t i = 1; i < count; ++i) {
        const MonitorArea& m = monitors[i];
        if (m.left < box.left) box.left = m.left;
        if (m.top < box.top) box.top = m.top;
        if (m.right > box.right) box.right = m.right;
        if (m.bottom > box.bottom) box.bottom = m.bottom;
    }
    box.primary = false;
    return box;
}

void layOutViews(const MonitorArea* monitors, uint32_t count, const MonitorArea* shown, uint32_t shownCount,
                 const MonitorArea& drawable) {
    frameViews = FrameViews{};
    for (uint32_t i = 0; i < shownCount; ++i) {
        const MonitorArea& part = shown[i];
        const WindowView view = windowView(monitors, count, part);
        // The drawable's rows count from its bottom.
        addFrameView(nullptr, part.left - drawable.left, drawable.bottom - part.bottom, view.primaryWidth,
                     view.primaryHeight, view.area);
    }
}
