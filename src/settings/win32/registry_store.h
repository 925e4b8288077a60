#pragma once
// The options and the system's password delay in the current user's registry.
#include "settings/saver_settings.h"
#include "settings/saver_state.h"

extern const char* const SAVER_KEY;   // "Software\Zelkor\Orbitarium Saver"
extern const char* const SYSTEM_KEY;  // "Software\Microsoft\Windows\CurrentVersion\Screen Savers"

// Presets passwordDelay (5 s) and checkingPassword (0), then takes "Password Delay" when it can be read.
void readSystemSaverValues(SaverState& state);
// Reads the eleven options into saverSettings; absent or unreadable values leave their option alone.
void readSaverSettings();
// Writes all eleven options from saverSettings and flushes the key; failures are silent.
void writeSaverSettings();
