#pragma once
#include <windows.h>

// Handles at most one waiting message of `window`: peeks without removing, then fetches, translates and
// dispatches it. Returns false when the fetched message is the quit message posted to the window.
bool handleSaverMessage(HWND window);
