#pragma once
// The start-up work that the configure, change-password and run modes share, as far as it is portable.
#include "settings/saver_settings.h"
#include "settings/saver_state.h"

// The record of the running saver (window, password grace period, cursor anchor, close flags).
extern SaverState saverState;

// Sets "FX_GLIDE_NO_SPLASH=1" in the environment, so that a Glide-based driver shows no splash screen;
// copies the current display mode into the four display options (when it cannot be read they keep
// their values); and resets saverState. The stored options are read after this.
void beginSharedStartUp(SaverSettings& settings);
