#pragma once
// The files the build embeds or shows: the dialog bitmap, the icon and the review PNG.
#include <cstdint>
#include <vector>

#include "picture.h"
#include "pictures.h"

// A picture reduced to at most 256 colours: palette entries and one index per pixel (same order).
struct PalettePicture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;       // as bytes / 255
    std::vector<uint8_t> palette8;  // 3 bytes per entry
    std::vector<uint8_t> indices;
};

// Median-cut reduction to at most `colours` colours, each pixel mapped to its nearest palette entry.
PalettePicture reduceColours(const Picture& picture, int colours);
// The reduced picture back as RGB.
Picture expandPalette(const PalettePicture& picture);

// A Windows .bmp file, 8 bits per pixel with a 256-entry palette. `picture` has row 0 at the top.
std::vector<uint8_t> bmpFile(const PalettePicture& picture);
// A Windows .ico file holding one 32-bit image (with its 1-bit mask) per size, rows 0 at the top.
std::vector<uint8_t> icoFile(const std::vector<RgbaImage>& images);
// A PNG file (8-bit RGB, through libpng). `picture` has row 0 at the top.
std::vector<uint8_t> pngFile(const Picture& picture);
// The same with transparency (8-bit RGBA): the Linux desktop's icons.
std::vector<uint8_t> pngFile(const RgbaImage& image);
