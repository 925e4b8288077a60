#pragma once
// The covers: one topmost window without caption over each monitor beside the primary, made after the
// display-mode switch (a new size of the primary moves the monitors beside it), shown before the first
// frame and destroyed with the saver window. Their input goes to the saver's own rules. Each carries
// the view of space beyond the primary's edges on its monitor, or stays black where it cannot.
#include <windows.h>

#include <cstdint>

// The covers' window class.
extern const char* const COVER_CLASS;

// Makes a hidden cover over each area that coverAreas names and records it in saverCovers. A cover
// the system refuses is left out silently: the saver runs all the same. Returns how many were made.
uint32_t placeMonitorCovers();
// Shows the covers without taking the activation from the saver window, and paints them at once.
void showMonitorCovers();
// With the saver's rendering context current on the primary and the scene set up: the primary's view
// and, unless the driver draws full screen on its own card (the 3dfx path), a view on every cover that
// takes the saver's pixel format and its context, into frameViews. A cover that does not stays black.
// Returns how many covers carry a view.
uint32_t addMonitorViews();
// Destroys every cover and empties saverCovers; does nothing when there are none.
void destroyMonitorCovers();
// The frame loop's message step for the covers: at most one waiting message of each. False when a
// fetched message was the quit message.
bool handleCoverMessages();

LRESULT CALLBACK CoverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
