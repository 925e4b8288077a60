#pragma once
// The saver window's watch on the display: the system tells the window when the console display turns
// off and on (Windows 8 and later), or the monitor's power (before), and the frame loop rests while it
// is off. The calls are looked up in user32 by name: where they do not exist, the saver draws all the
// time, as it always has.
#include <windows.h>

// Asks for the notices to `window`, trying the console display first. Sets displayOn first: the
// system answers at once with the present state.
void watchDisplayPower(HWND window);
// Gives the registration back; does nothing when there is none.
void stopWatchingDisplayPower();
// WM_POWERBROADCAST: a PBT_POWERSETTINGCHANGE notice of either setting carries the display state in
// its first 4 bytes of data (0 off, 1 on, 2 dimmed).
void onPowerBroadcast(WPARAM event, LPARAM data);
