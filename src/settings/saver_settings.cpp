#include "settings/saver_settings.h"

#include <cmath>

SaverSettings saverSettings;

bool operator==(const SaverSettings& a, const SaverSettings& b) {
    return a.ScrWidth == b.ScrWidth && a.ScrHeight == b.ScrHeight && a.ColorBits == b.ColorBits &&
           a.Hertz == b.Hertz && a.AutoPilot == b.AutoPilot && a.CameraSpeed == b.CameraSpeed &&
           a.PlanetSpeed == b.PlanetSpeed && a.NumStars == b.NumStars && a.ThreeDfx == b.ThreeDfx &&
           a.InvertMouse == b.InvertMouse && a.ShowMouse == b.ShowMouse;
}

int32_t truncatePixels(float pixels) {
    if (std::isnan(pixels)) return 0;
    if (pixels >= 2147483648.0f) return INT32_MAX;
    if (pixels <= -2147483648.0f) return INT32_MIN;
    return static_cast<int32_t>(pixels);
}

uint32_t truncatePixelsUnsigned(float pixels) {
    if (std::isnan(pixels) || pixels <= 0.0f) return 0;
    if (pixels >= 4294967296.0f) return UINT32_MAX;
    return static_cast<uint32_t>(pixels);
}
