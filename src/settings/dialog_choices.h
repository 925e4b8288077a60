#pragma once
// What the settings dialog shows for the options, and how its OK turns the controls back into options.
// The Win32 dialog procedure only moves these between the options and the controls.
#include <cstddef>

#include "settings/mode_entry.h"
#include "settings/saver_settings.h"

// The entries of the speed lists (camera and planet) and of the star list, top to bottom.
constexpr std::size_t SPEED_ENTRY_COUNT = 5;
constexpr std::size_t STAR_ENTRY_COUNT = 4;
extern const char* const SPEED_ENTRIES[SPEED_ENTRY_COUNT];
extern const char* const STAR_ENTRIES[STAR_ENTRY_COUNT];

// Room for a signed 32-bit number in decimal and the closing zero.
constexpr std::size_t NUMBER_TEXT_SIZE = 12;

// The initial state of the controls for the options held in memory. The texts select the first entry
// that begins with them (any case); when none does, that list starts with no selection.
struct DialogPresets {
    bool threeDfx = false;  // each box is checked only for a value of exactly 1
    bool autoPilot = false;
    bool invertMouse = false;
    bool showMouse = false;
    bool listFrequencies = false;  // the entries show "Hz": `Hertz` is non-zero
    char mode[MODE_ENTRY_SIZE] = {};
    char cameraSpeed[NUMBER_TEXT_SIZE] = {};
    char planetSpeed[NUMBER_TEXT_SIZE] = {};
    char numStars[NUMBER_TEXT_SIZE] = {};
};

DialogPresets dialogPresets(const SaverSettings& settings);

// The state of the controls when OK is pressed. A list with no selected entry gives a null text.
struct DialogChoices {
    bool threeDfx = false;
    bool autoPilot = false;
    bool invertMouse = false;
    bool showMouse = false;
    const char* mode = nullptr;
    const char* cameraSpeed = nullptr;
    const char* planetSpeed = nullptr;
    const char* numStars = nullptr;
};

// Stores the controls in `settings`. A list with no selection (a stored value that no entry matches)
// leaves its options as they were, so OK writes them back unchanged; so does a resolution text that is
// not one of the list's entries. (The dialog hands over the display's current mode when its resolution
// list has no selection.)
void applyDialogChoices(SaverSettings& settings, const DialogChoices& choices);
