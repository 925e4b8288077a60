#pragma once
// The saver's pictures other than the body textures: the loading picture, the settings dialog's title
// picture and the icon.
#include <cstdint>
#include <vector>

#include "picture.h"
#include "texture_set.h"

// The loading picture shows only the texture rows from t = 0.4 to t = 1, stretched to 300 x 160
// pixels on screen, with t = 0.4 at the top and t = 1 at the bottom, s = 0 on the left.
constexpr double LOADING_SHOWN_FROM_T = 0.4;
constexpr int LOADING_SCREEN_WIDTH = 300;
constexpr int LOADING_SCREEN_HEIGHT = 160;

// Texture 157 in the stored order. `textCoverage`, when given, receives the lettering's coverage 0..1
// for every texel in the same order (for checking where the text lies).
Picture makeLoadingPicture(std::vector<double>* textCoverage = nullptr);

// The title picture of the settings dialog, 200 x 140, row 0 at the top; painted with the bodies' own
// textures.
Picture makeTitlePicture(const TextureSet& textures);

// An icon image of size x size pixels: red, green, blue, alpha, row 0 at the top.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};
RgbaImage makeIconImage(int size);
