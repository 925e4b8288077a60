#include "file_formats.h"

#include "pictures/png_file.h"

#include <algorithm>
#include <array>

namespace {

void put16(std::vector<uint8_t>* out, uint32_t v) {
    out->push_back(static_cast<uint8_t>(v));
    out->push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>* out, uint32_t v) {
    put16(out, v & 0xffffu);
    put16(out, v >> 16);
}

// BITMAPINFOHEADER for an uncompressed DIB.
void putInfoHeader(std::vector<uint8_t>* out, int width, int height, int bits, uint32_t imageBytes, uint32_t colours) {
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<uint32_t>(bits));
    put32(out, 0);  // BI_RGB
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, colours);
    put32(out, 0);
}

struct Box {
    std::vector<std::array<uint8_t, 3>> colours;
    int longestChannel() const {
        int best = 0, bestRange = -1;
        for (int c = 0; c < 3; ++c) {
            uint8_t low = 255, high = 0;
            for (const auto& p : colours) {
                low = std::min(low, p[c]);
                high = std::max(high, p[c]);
            }
            if (high - low > bestRange) {
                bestRange = high - low;
                best = c;
            }
        }
        return bestRange > 0 ? best : -1;
    }
};

}  // namespace

PalettePicture reduceColours(const Picture& picture, int colours) {
    std::vector<Box> boxes(1);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* p = picture.pixel(x, y);
            boxes[0].colours.push_back({p[0], p[1], p[2]});
        }
    // Split the box with the most pixels (that can be split) at the median of its longest channel.
    while (static_cast<int>(boxes.size()) < colours) {
        int chosen = -1;
        for (int i = 0; i < static_cast<int>(boxes.size()); ++i)
            if (boxes[i].colours.size() > 1 && boxes[i].longestChannel() >= 0 &&
                (chosen < 0 || boxes[i].colours.size() > boxes[chosen].colours.size()))
                chosen = i;
        if (chosen < 0) break;
        Box& box = boxes[chosen];
        const int channel = box.longestChannel();
        std::sort(box.colours.begin(), box.colours.end(), [channel](const auto& a, const auto& b) {
            if (a[channel] != b[channel]) return a[channel] < b[channel];
            return a < b;  // a total order keeps the result the same everywhere
        });
        size_t middle = box.colours.size() / 2;
        // Keep equal values together so both halves differ.
        while (middle < box.colours.size() && middle > 0 && box.colours[middle][channel] == box.colours[middle - 1][channel]) ++middle;
        if (middle == box.colours.size()) {
            middle = box.colours.size() / 2;
            while (middle > 0 && box.colours[middle][channel] == box.colours[middle - 1][channel]) --middle;
        }
        Box upper;
        upper.colours.assign(box.colours.begin() + static_cast<std::ptrdiff_t>(middle), box.colours.end());
        box.colours.resize(middle);
        boxes.push_back(std::move(upper));
    }

    PalettePicture result;
    result.width = picture.width;
    result.height = picture.height;
    for (const Box& box : boxes) {
        uint64_t sum[3] = {0, 0, 0};
        for (const auto& p : box.colours)
            for (int c = 0; c < 3; ++c) sum[c] += p[c];
        const uint64_t n = box.colours.size();
        for (int c = 0; c < 3; ++c) result.palette8.push_back(static_cast<uint8_t>((sum[c] + n / 2) / n));
    }
    for (size_t i = 0; i < boxes.size(); ++i)
        result.palette.push_back({result.palette8[3 * i] / 255.0, result.palette8[3 * i + 1] / 255.0, result.palette8[3 * i + 2] / 255.0});
    result.indices.resize(static_cast<size_t>(picture.width) * picture.height);
    for (size_t i = 0; i < result.indices.size(); ++i) {
        const uint8_t* p = &picture.rgb[3 * i];
        int best = 0;
        long bestDistance = -1;
        for (size_t e = 0; e < boxes.size(); ++e) {
            long distance = 0;
            for (int c = 0; c < 3; ++c) {
                const long d = static_cast<long>(p[c]) - result.palette8[3 * e + c];
                distance += d * d;
            }
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                best = static_cast<int>(e);
            }
        }
        result.indices[i] = static_cast<uint8_t>(best);
    }
    return result;
}

Picture expandPalette(const PalettePicture& picture) {
    Picture out(picture.width, picture.height);
    for (size_t i = 0; i < picture.indices.size(); ++i)
        for (int c = 0; c < 3; ++c) out.rgb[3 * i + c] = picture.palette8[3 * picture.indices[i] + c];
    return out;
}

std::vector<uint8_t> bmpFile(const PalettePicture& picture) {
    const uint32_t rowBytes = (static_cast<uint32_t>(picture.width) + 3u) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.height);
    const uint32_t offset = 14 + 40 + 256 * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(&out, offset + imageBytes);
    put32(&out, 0);
    put32(&out, offset);
    putInfoHeader(&out, picture.width, picture.height, 8, imageBytes, 256);
    for (int e = 0; e < 256; ++e) {
        const bool used = static_cast<size_t>(e) * 3 < picture.palette8.size();
        for (int c = 2; c >= 0; --c) out.push_back(used ? picture.palette8[3 * e + c] : 0);  // blue, green, red
        out.push_back(0);
    }
    for (int y = picture.height - 1; y >= 0; --y) {  // bottom row first
        const uint8_t* row = &picture.indices[static_cast<size_t>(y) * picture.width];
        out.insert(out.end(), row, row + picture.width);
        out.resize(out.size() + (rowBytes - picture.width), 0);
    }
    return out;
}

std::vector<uint8_t> icoFile(const std::vector<RgbaImage>& images) {
    std::vector<std::vector<uint8_t>> entries;
    for (const RgbaImage& image : images) {
        const uint32_t maskRow = ((static_cast<uint32_t>(image.width) + 31u) / 32u) * 4u;
        std::vector<uint8_t> dib;
        putInfoHeader(&dib, image.width, image.height * 2, 32, static_cast<uint32_t>(image.width * image.height * 4) + maskRow * image.height, 0);
        for (int y = image.height - 1; y >= 0; --y)
            for (int x = 0; x < image.width; ++x) {
                const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
                dib.push_back(p[2]);
                dib.push_back(p[1]);
                dib.push_back(p[0]);
                dib.push_back(p[3]);
            }
        // The AND mask: 1 where the icon is fully transparent (used by displays without alpha).
        for (int y = image.height - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskRow, 0);
            for (int x = 0; x < image.width; ++x)
                if (image.rgba[(static_cast<size_t>(y) * image.width + x) * 4 + 3] == 0) row[x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
            dib.insert(dib.end(), row.begin(), row.end());
        }
        entries.push_back(std::move(dib));
    }
    std::vector<uint8_t> out;
    put16(&out, 0);
    put16(&out, 1);  // icon
    put16(&out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<uint8_t>(images[i].width >= 256 ? 0 : images[i].width));
        out.push_back(static_cast<uint8_t>(images[i].height >= 256 ? 0 : images[i].height));
        out.push_back(0);  // no palette
        out.push_back(0);
        put16(&out, 1);   // planes
        put16(&out, 32);  // bits per pixel
        put32(&out, static_cast<uint32_t>(entries[i].size()));
        put32(&out, offset);
        offset += static_cast<uint32_t>(entries[i].size());
    }
    for (const auto& e : entries) out.insert(out.end(), e.begin(), e.end());
    return out;
}

std::vector<uint8_t> pngFile(const Picture& picture) {
    return encodePng(picture.width, picture.height, picture.rgb.data(), false);
}

std::vector<uint8_t> pngFile(const RgbaImage& image) {
    return encodePngWithAlpha(image.width, image.height, image.rgba.data());
}
