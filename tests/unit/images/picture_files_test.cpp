// The files built into Orbitarium.scr besides the textures (dialog bitmap, icon), their colour
// reduction, and the review PNG read back through libpng.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <set>

#include "images/file_formats.h"
#include "images/pictures.h"

namespace {

uint32_t read32(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t read16(const std::vector<uint8_t>& b, std::size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

Picture gradientPicture(int width, int height, int levels) {
    Picture p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* px = p.pixel(x, y);
            px[0] = static_cast<uint8_t>((x * levels / width) * (255 / levels));
            px[1] = static_cast<uint8_t>((y * levels / height) * (255 / levels));
            px[2] = static_cast<uint8_t>(((x + y) % 3) * 100);
        }
    return p;
}

TEST(ColourReduction, KeepsFewColoursExactlyAndManyClosely) {
    const Picture few = gradientPicture(40, 30, 8);  // 8 x 8 x 3 = 192 colours
    const PalettePicture reducedFew = reduceColours(few, 256);
    EXPECT_LE(reducedFew.palette8.size(), 256u * 3);
    EXPECT_EQ(expandPalette(reducedFew).rgb, few.rgb);

    const Picture many = gradientPicture(200, 140, 64);
    const PalettePicture reducedMany = reduceColours(many, 256);
    EXPECT_EQ(reducedMany.palette8.size(), 256u * 3);
    const Picture back = expandPalette(reducedMany);
    double error = 0;
    for (std::size_t i = 0; i < back.rgb.size(); ++i) error += std::abs(back.rgb[i] - many.rgb[i]);
    EXPECT_LT(error / back.rgb.size(), 6.0);
}

TEST(DialogBitmap, EightBitBottomUpWithItsPaletteAndTheSamePicture) {
    const PalettePicture title = reduceColours(gradientPicture(200, 140, 64), 256);
    const std::vector<uint8_t> bmp = bmpFile(title);
    ASSERT_EQ(bmp.size(), 14u + 40 + 256 * 4 + 200 * 140);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(read32(bmp, 2), bmp.size());
    EXPECT_EQ(read32(bmp, 10), 14u + 40 + 1024);
    EXPECT_EQ(read32(bmp, 14), 40u);
    EXPECT_EQ(read32(bmp, 18), 200u);
    EXPECT_EQ(read32(bmp, 22), 140u);  // positive: bottom row first
    EXPECT_EQ(read16(bmp, 28), 8);
    EXPECT_EQ(read32(bmp, 30), 0u);
    EXPECT_EQ(read32(bmp, 46), 256u);
    // Decode it the way Windows does and compare with the picture, top row first.
    const Picture expected = expandPalette(title);
    for (int y = 0; y < 140; ++y)
        for (int x = 0; x < 200; ++x) {
            const uint8_t index = bmp[14 + 40 + 1024 + static_cast<std::size_t>(139 - y) * 200 + x];
            const uint8_t* entry = &bmp[14 + 40 + index * 4];  // blue, green, red, 0
            const uint8_t* want = expected.pixel(x, y);
            ASSERT_EQ(entry[2], want[0]);
            ASSERT_EQ(entry[1], want[1]);
            ASSERT_EQ(entry[0], want[2]);
        }
}

TEST(IconFile, OneImagePerSizeWithAlphaAndMatchingMask) {
    std::vector<RgbaImage> images;
    for (int size : iconSizes()) images.push_back(makeIconImage(size));
    const std::vector<uint8_t> ico = icoFile(images);
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(read16(ico, 0), 0);
    EXPECT_EQ(read16(ico, 2), 1);
    ASSERT_EQ(read16(ico, 4), images.size());
    std::set<int> sizes;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        const int size = ico[entry] == 0 ? 256 : ico[entry];  // 0 stands for 256
        sizes.insert(size);
        const uint32_t bytes = read32(ico, entry + 8), offset = read32(ico, entry + 12);
        const uint32_t maskRow = ((size + 31) / 32) * 4;
        ASSERT_EQ(bytes, 40u + size * size * 4 + maskRow * size) << size;
        ASSERT_LE(offset + bytes, ico.size());
        EXPECT_EQ(read32(ico, offset + 4), static_cast<uint32_t>(size));
        EXPECT_EQ(read32(ico, offset + 8), static_cast<uint32_t>(2 * size));  // colour and mask together
        EXPECT_EQ(read16(ico, offset + 14), 32);
        // Transparent corners, opaque sun; the mask marks exactly the fully transparent pixels.
        const RgbaImage& image = images[i];
        EXPECT_EQ(image.rgba[3], 0);
        EXPECT_EQ(image.rgba[(static_cast<std::size_t>(size * 45 / 100) * size + size * 42 / 100) * 4 + 3], 255);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const uint8_t alpha = image.rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3];
                const uint8_t maskByte = ico[offset + 40 + size * size * 4 + (size - 1 - y) * maskRow + x / 8];
                ASSERT_EQ(((maskByte >> (7 - x % 8)) & 1) != 0, alpha == 0) << size << ": " << x << ", " << y;
            }
    }
    EXPECT_TRUE(sizes.count(16) && sizes.count(32) && sizes.count(48) && sizes.count(256));
}

TEST(PngFile, ReadsBackAsThePixelsWrittenTopRowFirst) {
    Picture tiny(2, 2);
    tiny.rgb = {255, 0, 0, 0, 0, 255, 0, 255, 0, 10, 20, 30};
    const std::vector<uint8_t> png = pngFile(tiny);
    ASSERT_GT(png.size(), 8u + 25 + 12);
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
    EXPECT_EQ(image.width, 2u);
    EXPECT_EQ(image.height, 2u);
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(pixels, tiny.rgb);
    // The same picture gives the same bytes: nothing time-dependent is written.
    EXPECT_EQ(pngFile(tiny), png);
}

}  // namespace
