#pragma once
// The covers: one black, topmost window without caption over each monitor beside the primary, made
// after the display-mode switch (a new size of the primary moves the monitors beside it), shown before
// the first frame and destroyed with the saver window. Their input goes to the saver's own rules.
#include <windows.h>

#include <cstdint>

// The covers' window class.
extern const char* const COVER_CLASS;

// Makes a hidden cover over each area that coverAreas names and records it in saverCovers. A cover
// the system refuses is left out silently: the saver runs all the same. Returns how many were made.
uint32_t placeMonitorCovers();
// Shows the covers without taking the activation from the saver window, and paints them at once.
void showMonitorCovers();
// Destroys every cover and empties saverCovers; does nothing when there are none.
void destroyMonitorCovers();
// The frame loop's message step for the covers: at most one waiting message of each. False when a
// fetched message was the quit message.
bool handleCoverMessages();

LRESULT CALLBACK CoverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
