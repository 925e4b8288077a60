#include "support/offscreen_context.h"

#include "pictures/png_file.h"

bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgbBottomUp) {
    if (rgbBottomUp.size() < static_cast<size_t>(width) * height * 3) return false;
    return writePngFile(path, width, height, rgbBottomUp.data(), true);
}
