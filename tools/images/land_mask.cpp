#include "land_mask.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace {

// Next header number of a PBM, skipping white space and # comments.
bool readHeaderNumber(const std::vector<char>& data, size_t* at, int* value) {
    while (*at < data.size()) {
        const char c = data[*at];
        if (c == '#') {
            while (*at < data.size() && data[*at] != '\n') ++*at;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++*at;
        } else {
            break;
        }
    }
    long number = 0;
    size_t digits = 0;
    while (*at < data.size() && std::isdigit(static_cast<unsigned char>(data[*at])) && digits < 7) {
        number = number * 10 + (data[*at] - '0');
        ++*at;
        ++digits;
    }
    *value = static_cast<int>(number);
    return digits > 0;
}

}  // namespace

bool readLandMask(const std::string& path, LandMask* mask) {
    *mask = LandMask{};
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    const std::vector<char> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (data.size() < 3 || data[0] != 'P' || data[1] != '4') return false;
    size_t at = 2;
    int width = 0, height = 0;
    if (!readHeaderNumber(data, &at, &width) || !readHeaderNumber(data, &at, &height)) return false;
    if (width <= 0 || height <= 0 || at >= data.size()) return false;
    ++at;  // the single white-space character before the raster
    const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
    if (data.size() - at < rowBytes * height) return false;
    mask->width = width;
    mask->height = height;
    mask->land.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto byte = static_cast<unsigned char>(data[at + y * rowBytes + x / 8]);
            mask->land[static_cast<size_t>(y) * width + x] = (byte >> (7 - x % 8)) & 1u;
        }
    return true;
}

double landCoverage(const LandMask& mask, int column, int row, int mapWidth, int mapHeight) {
    const int across = mask.width / mapWidth;
    const int down = mask.height / mapHeight;
    // Texel column c spans longitudes 180 - 360 (c + 1) / W .. 180 - 360 c / W, which are mask columns
    // W' - across (c + 1) .. W' - across c - 1 counted from longitude -180. Texel row r (from the south)
    // spans mask rows H' - down (r + 1) .. H' - down r - 1 counted from the north.
    const int x0 = mask.width - across * (column + 1);
    const int y0 = mask.height - down * (row + 1);
    int count = 0;
    for (int y = y0; y < y0 + down; ++y)
        for (int x = x0; x < x0 + across; ++x) count += mask.isLand(x, y) ? 1 : 0;
    return static_cast<double>(count) / (across * down);
}
