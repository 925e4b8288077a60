#include "saver/startup.h"

#include "platform/platform.h"
#include "saver/display_mode_switch.h"

SaverState saverState;

void takeCurrentDisplayMode(SaverSettings& settings) {
    DisplayMode current;
    if (!platform.currentDisplayMode(&current)) return;
    settings.ScrWidth = static_cast<float>(current.width);
    settings.ScrHeight = static_cast<float>(current.height);
    settings.ColorBits = static_cast<int32_t>(current.bitsPerPixel);
    settings.Hertz = static_cast<int32_t>(current.frequency);
}

void beginSharedStartUp(SaverSettings& settings) {
    platform.setEnvironment("FX_GLIDE_NO_SPLASH", "1");
    takeCurrentDisplayMode(settings);
    saverState = SaverState{};
}

bool settleRunDisplayMode(SaverSettings& settings) {
    if (displayListsMode(truncatePixels(settings.ScrWidth), truncatePixels(settings.ScrHeight), settings.ColorBits))
        return true;
    takeCurrentDisplayMode(settings);
    return false;
}
