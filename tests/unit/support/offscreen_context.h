#pragma once
// The offscreen OpenGL context of the product (gl/offscreen_context.h), and PNG output for the
// pictures the tests draw.
#include <string>
#include <vector>

#include "gl/offscreen_context.h"

// Writes RGB bytes with rows bottom-up (as OpenGL reads them) as a PNG with rows top-down.
bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgbBottomUp);
