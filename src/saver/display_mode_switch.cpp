#include "saver/display_mode_switch.h"

#include "platform/platform.h"

namespace {

constexpr uint32_t MESSAGE_ICON_ERROR = 0x10;

void showModeError(const char* text) { platform.messageBox(text, "Error", MESSAGE_ICON_ERROR); }

// A change the system is asked for. A size of zero is no display mode, but some systems read a zero
// field as "keep the current value" and report success; such a request is refused here instead.
int32_t changeTo(const DisplayMode& mode) {
    const bool sizeAsked = (mode.fields & (MODE_FIELD_WIDTH | MODE_FIELD_HEIGHT)) != 0;
    if (sizeAsked && (mode.width == 0 || mode.height == 0)) return MODE_CHANGE_BADMODE;
    return platform.changeDisplayMode(&mode);
}

}  // namespace

bool displayListsMode(int32_t width, int32_t height, int32_t colorBits) {
    DisplayMode mode;
    for (uint32_t number = 0; platform.enumDisplayMode(number, &mode); ++number) {
        if (mode.width == static_cast<uint32_t>(width) && mode.height == static_cast<uint32_t>(height) &&
            mode.bitsPerPixel == static_cast<uint32_t>(colorBits))
            return true;
        if (number == UINT32_MAX) break;
    }
    return false;
}

bool switchDisplayMode(int32_t width, int32_t height, int32_t colorBits, int32_t hertz) {
    // The comparisons are those of the system's unsigned mode fields.
    const auto wantedWidth = static_cast<uint32_t>(width);
    const auto wantedHeight = static_cast<uint32_t>(height);
    const auto wantedBits = static_cast<uint32_t>(colorBits);
    const auto wantedHertz = static_cast<uint32_t>(hertz);

    // (a) Every listed mode that matches exactly, as the system lists it.
    bool remembered = false;
    uint32_t rememberedNumber = 0;
    DisplayMode mode;
    for (uint32_t number = 0; platform.enumDisplayMode(number, &mode); ++number) {
        if (mode.bitsPerPixel != wantedBits || mode.width != wantedWidth || mode.height != wantedHeight ||
            mode.frequency != wantedHertz)
            continue;
        if (changeTo(mode) == MODE_CHANGE_SUCCESSFUL) return true;
        if (!remembered) {
            remembered = true;
            rememberedNumber = number;
        }
    }

    // (b) Depth and size without a refresh rate, on the first matching mode's record (or mode 0's).
    mode = DisplayMode{};
    platform.enumDisplayMode(rememberedNumber, &mode);
    mode.bitsPerPixel = wantedBits;
    mode.width = wantedWidth;
    mode.height = wantedHeight;
    mode.fields = MODE_FIELD_BITS_PER_PIXEL | MODE_FIELD_WIDTH | MODE_FIELD_HEIGHT;
    if (changeTo(mode) == MODE_CHANGE_SUCCESSFUL) return true;

    // (c) The depth alone decides what went wrong.
    mode.fields = MODE_FIELD_BITS_PER_PIXEL;
    switch (changeTo(mode)) {
        case MODE_CHANGE_SUCCESSFUL:
            mode.fields = MODE_FIELD_WIDTH | MODE_FIELD_HEIGHT;
            if (changeTo(mode) == MODE_CHANGE_SUCCESSFUL) return true;
            platform.changeDisplayMode(nullptr);  // the depth changed: put the stored mode back
            return false;
        case MODE_CHANGE_RESTART:
            showModeError("You must switch to that color depth in your Display properties");
            return false;
        case MODE_CHANGE_BADMODE:
            showModeError("Fullscreen not supported in that color depth");
            return false;
        case MODE_CHANGE_FAILED:
            showModeError("Failed to change to desired settings");
            return false;
        default:
            showModeError("Unknown failure.");
            return false;
    }
}
