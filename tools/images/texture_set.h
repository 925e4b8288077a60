#pragma once
// The saver's "TEXTURE" resources: one list, from which the build writes the files, the resource
// script lines and the embedded table of native builds.
#include <map>
#include <vector>

#include "land_mask.h"
#include "picture.h"

enum class TextureKind { Sphere, Ring, Glow, Loading };

struct TextureEntry {
    int id;            // resource id
    const char* name;  // file name stem and the name on the contact sheet
    int width;
    int height;
    TextureKind kind;
    Picture (*make)(const LandMask& land);
};

// In the order the saver loads them: glow, loading picture, then bodies 0 to 11.
const std::vector<TextureEntry>& textureTable();
const TextureEntry* findTexture(int id);

// Every texture, made once, by resource id.
using TextureSet = std::map<int, Picture>;
TextureSet makeAllTextures(const LandMask& land);

// Bitmap and icon resources made alongside the textures.
constexpr int TITLE_BITMAP_ID = 243;
constexpr int TITLE_BITMAP_WIDTH = 200;
constexpr int TITLE_BITMAP_HEIGHT = 140;
constexpr int ICON_ID = 1;
const std::vector<int>& iconSizes();
