#pragma once
// PNG files through libpng: 8-bit RGB, compressed with the library's defaults, no time stamp or
// other chunk that would make two runs' files differ.
#include <cstdint>
#include <string>
#include <vector>

// Encodes width x height RGB bytes (3 per pixel, rows packed). `bottomUp`: row 0 of `rgb` is the
// bottom of the picture, as OpenGL reads pixels. Empty on failure.
std::vector<uint8_t> encodePng(int width, int height, const uint8_t* rgb, bool bottomUp);

// The same for RGBA bytes (4 per pixel, rows top-down), kept with their transparency.
std::vector<uint8_t> encodePngWithAlpha(int width, int height, const uint8_t* rgba);

// Writes encodePng's bytes to `path` through a temporary `path`.part, renamed when complete; false
// when encoding or writing fails, with nothing left at either name and the system's reason in
// `reason` when given.
bool writePngFile(const std::string& path, int width, int height, const uint8_t* rgb, bool bottomUp,
                  std::string* reason = nullptr);

// Reads a PNG (any colour type libpng reads) as 8-bit RGB bytes, rows top-down. False when it cannot.
bool readPngFile(const std::string& path, int* width, int* height, std::vector<uint8_t>* rgb);
