#pragma once
// The start-up work that the configure, change-password and run modes share, as far as it is portable.
#include "settings/saver_settings.h"
#include "settings/saver_state.h"

// The record of the running saver (window, password grace period, cursor anchor, close flags).
extern SaverState saverState;

// Sets "FX_GLIDE_NO_SPLASH=1" in the environment, so that a Glide-based driver shows no splash screen;
// takes the current display mode into the display options; and resets saverState. The stored options
// are read after this.
void beginSharedStartUp(SaverSettings& settings);

// Copies the current display mode into the four display options; when it cannot be read they keep
// their values.
void takeCurrentDisplayMode(SaverSettings& settings);

// Before the run's window: a stored display mode that the display does not list is treated as absent,
// as after a fresh install: the options take the current mode (in memory only; the stored values stay)
// and the run switches nothing. Returns whether the run switches the display mode.
bool settleRunDisplayMode(SaverSettings& settings);
