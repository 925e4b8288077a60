#pragma once
// The desk the X display shows: its monitors as RandR lists them, where a window lies on the root, and
// when the XScreenSaver daemon blanked the screen.
#include <X11/Xlib.h>

#include <cstdint>

#include "platform/platform.h"

// Makes the platform table's monitor list read the display's RandR monitors (the primary marked as
// RandR marks it); without RandR 1.5, or when it lists none, the whole screen is the one monitor.
void listMonitorsOf(Display* display);

// The window's rectangle in root-window pixels (its border left out).
MonitorArea rootRectangle(Display* display, Window window);

// While the XScreenSaver daemon blanks (or locks) the screen, its root-window property
// _SCREENSAVER_STATUS holds the time of blanking, seconds since 1970. False when it is not blanking.
bool blankingSince(Display* display, int64_t* seconds);
