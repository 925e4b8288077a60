#pragma once
// The saver's windows: its own full-screen window on the primary monitor and one cover over every
// other monitor, so that no monitor shows the desktop while the saver runs. Which monitors get a
// cover, and whether a window is one of the saver's, are decided here; a front end makes the windows.
#include <cstdint>

#include "platform/platform.h"

// Covers beyond this many are not made (the monitors listed last stay uncovered).
constexpr uint32_t MAX_COVERS = 16;

// The covers that exist now, in the order they were made; none on a single monitor.
struct SaverCovers {
    void* windows[MAX_COVERS] = {};
    uint32_t count = 0;
};
extern SaverCovers saverCovers;

// The index of the primary monitor in the list: the one the system marks so, else the one holding the
// origin; `count` when there is none.
uint32_t primaryIndex(const MonitorArea* monitors, uint32_t count);

// The rectangles, in virtual-screen pixels, that need a cover, read through the platform table: every
// monitor but the primary, leaving out empty rectangles, ones that lie wholly inside the primary
// (a mirrored display shows the saver window already) and repeats. The primary is the monitor the
// system marks so, or, when it marks none, the one holding the origin. Writes at most MAX_COVERS.
uint32_t coverAreas(MonitorArea* areas);

// True for the saver window and for each of its covers; false for null and every other window.
bool isSaverWindow(const void* window);
