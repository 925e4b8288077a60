#include "saver/startup.h"

#include "platform/platform.h"

SaverState saverState;

void beginSharedStartUp(SaverSettings& settings) {
    platform.setEnvironment("FX_GLIDE_NO_SPLASH", "1");
    DisplayMode current;
    if (platform.currentDisplayMode(&current)) {
        settings.ScrWidth = static_cast<float>(current.width);
        settings.ScrHeight = static_cast<float>(current.height);
        settings.ColorBits = static_cast<int32_t>(current.bitsPerPixel);
        settings.Hertz = static_cast<int32_t>(current.frequency);
    }
    saverState = SaverState{};
}
