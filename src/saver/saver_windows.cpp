#include "saver/saver_windows.h"

#include "saver/startup.h"

SaverCovers saverCovers;

namespace {

// Enough for any desk; a longer list is cut here, and only its first monitors are considered.
constexpr uint32_t MAX_LISTED_MONITORS = 64;

bool empty(const MonitorArea& area) { return area.right <= area.left || area.bottom <= area.top; }

bool inside(const MonitorArea& inner, const MonitorArea& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool sameRectangle(const MonitorArea& a, const MonitorArea& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool holdsOrigin(const MonitorArea& area) {
    return area.left <= 0 && area.top <= 0 && area.right > 0 && area.bottom > 0;
}

}  // namespace

uint32_t primaryIndex(const MonitorArea* monitors, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        if (monitors[i].primary) return i;
    for (uint32_t i = 0; i < count; ++i)
        if (holdsOrigin(monitors[i])) return i;
    return count;
}

uint32_t coverAreas(MonitorArea* areas) {
    MonitorArea monitors[MAX_LISTED_MONITORS];
    uint32_t listed = platform.listMonitors(monitors, MAX_LISTED_MONITORS);
    if (listed > MAX_LISTED_MONITORS) listed = MAX_LISTED_MONITORS;
    const uint32_t primary = primaryIndex(monitors, listed);

    uint32_t count = 0;
    for (uint32_t i = 0; i < listed && count < MAX_COVERS; ++i) {
        const MonitorArea& monitor = monitors[i];
        if (i == primary || empty(monitor)) continue;
        if (primary < listed && inside(monitor, monitors[primary])) continue;
        bool repeated = false;
        for (uint32_t j = 0; j < count && !repeated; ++j) repeated = sameRectangle(areas[j], monitor);
        if (repeated) continue;
        areas[count] = monitor;
        areas[count].primary = false;
        ++count;
    }
    return count;
}

bool isSaverWindow(const void* window) {
    if (!window) return false;
    if (window == saverState.window) return true;
    for (uint32_t i = 0; i < saverCovers.count; ++i)
        if (saverCovers.windows[i] == window) return true;
    return false;
}
