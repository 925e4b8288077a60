#pragma once
// The saver's eleven options, each named by its registry value name.
#include <cstdint>

struct SaverSettings {
    // The four display options are replaced at start-up by the current display mode, then by the
    // stored values; these built-in values stand only when neither can be read.
    float ScrWidth = 640.0f;   // pixels
    float ScrHeight = 480.0f;  // pixels
    int32_t ColorBits = 16;    // bits per pixel
    int32_t Hertz = -1;        // refresh rate in Hz; 0 when the system reports none
    uint8_t AutoPilot = 1;     // 1: the camera flies the tour; 0: manual flight
    int32_t CameraSpeed = 4;   // tour steps of 2 x CameraSpeed per tick; the dialog offers 1..5
    int32_t PlanetSpeed = 3;   // orbit and spin speed step; the dialog offers 1..5
    int32_t NumStars = 2;      // thousands of stars; the dialog offers 1..4
    int32_t ThreeDfx = 1;      // registry value "3dfx": non-zero prefers a 3dfx OpenGL library
    uint8_t InvertMouse = 0;   // 1: vertical steering upside down
    uint8_t ShowMouse = 0;     // 0: the cursor is hidden while the saver runs
};

bool operator==(const SaverSettings& a, const SaverSettings& b);
inline bool operator!=(const SaverSettings& a, const SaverSettings& b) { return !(a == b); }

// The process's options.
extern SaverSettings saverSettings;

// Converts a float pixel count to an integer, truncating toward zero and saturating at the integer's
// range (NaN gives 0), so that no stored size can make the conversion undefined.
int32_t truncatePixels(float pixels);
uint32_t truncatePixelsUnsigned(float pixels);
