#pragma once
// The Earth's land mask: 1 bit per pixel, row 0 the north edge (latitude +90), column 0 starting at
// longitude -180, square-degree-uniform (an equirectangular raster), read from a binary PBM file.
#include <cstdint>
#include <string>
#include <vector>

struct LandMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> land;  // width * height, 0 or 1

    bool isLand(int x, int y) const { return land[static_cast<size_t>(y) * width + x] != 0; }
};

// Reads a binary PBM ("P4"); returns false (and leaves `mask` empty) when the file is missing or bad.
bool readLandMask(const std::string& path, LandMask* mask);

// Fraction of land in the texel (column, row) of a sphere map of the given size whose rows run from
// the south edge and whose longitude is 180 - 360 u. The mask's size must be a whole multiple of the
// map's width and height.
double landCoverage(const LandMask& mask, int column, int row, int mapWidth, int mapHeight);
