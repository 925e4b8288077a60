#include "settings/dialog_choices.h"

#include <cstdint>
#include <cstdio>

const char* const SPEED_ENTRIES[SPEED_ENTRY_COUNT] = {"1", "2", "3", "4", "5"};
const char* const STAR_ENTRIES[STAR_ENTRY_COUNT] = {"1", "2", "3", "4"};

namespace {

void formatNumber(char (&text)[NUMBER_TEXT_SIZE], int32_t value) {
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
}

// Entry numbers are unsigned; the options they go to are signed 32-bit.
int32_t toOption(uint32_t number) { return number > INT32_MAX ? INT32_MAX : static_cast<int32_t>(number); }

void takeListNumber(int32_t& option, const char* entry) {
    if (entry) option = toOption(readEntryNumber(entry));
}

}  // namespace

DialogPresets dialogPresets(const SaverSettings& settings) {
    DialogPresets presets;
    presets.threeDfx = settings.ThreeDfx == 1;
    presets.autoPilot = settings.AutoPilot == 1;
    presets.invertMouse = settings.InvertMouse == 1;
    presets.showMouse = settings.ShowMouse == 1;
    presets.listFrequencies = settings.Hertz != 0;
    formatModeEntry(presets.mode, truncatePixels(settings.ScrWidth), truncatePixels(settings.ScrHeight),
                    settings.ColorBits, settings.Hertz, presets.listFrequencies);
    formatNumber(presets.cameraSpeed, settings.CameraSpeed);
    formatNumber(presets.planetSpeed, settings.PlanetSpeed);
    formatNumber(presets.numStars, settings.NumStars);
    return presets;
}

void applyDialogChoices(SaverSettings& settings, const DialogChoices& choices) {
    settings.ThreeDfx = choices.threeDfx ? 1 : 0;
    settings.AutoPilot = choices.autoPilot ? 1 : 0;
    settings.InvertMouse = choices.invertMouse ? 1 : 0;
    settings.ShowMouse = choices.showMouse ? 1 : 0;

    // The frequency is read only when the entries were built with one, i.e. when `Hertz` is non-zero;
    // with `Hertz` zero it stays zero.
    ModeNumbers mode;
    const bool withFrequency = settings.Hertz != 0;
    if (choices.mode && readModeEntry(choices.mode, withFrequency, &mode)) {
        settings.ScrWidth = static_cast<float>(mode.width);
        settings.ScrHeight = static_cast<float>(mode.height);
        settings.ColorBits = toOption(mode.bitsPerPixel);
        if (withFrequency) settings.Hertz = toOption(mode.frequency);
    }

    takeListNumber(settings.CameraSpeed, choices.cameraSpeed);
    takeListNumber(settings.PlanetSpeed, choices.planetSpeed);
    takeListNumber(settings.NumStars, choices.numStars);
}
