#pragma once
#include <windows.h>

// Handles at most one waiting message of `window`: peeks without removing, then fetches, translates and
// dispatches it. Returns false when the fetched message is the quit message posted to the window.
bool handleSaverMessage(HWND window);

// While the display is off: returns at once when a message of `window` or of a cover waits, else sleeps
// until something new reaches the thread's queue (a message sent from another thread, the system's
// power notice among them, included).
void waitForSaverMessage(HWND window);
