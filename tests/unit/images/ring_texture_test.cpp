// Saturn's ring texture as the ring mesh reads it: across the width only, outer edge first.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/platform.h"

namespace {

constexpr int SIZE = 256;

// Mean brightness (r + g + b) of each column, and the largest change of a column along v.
struct Columns {
    std::vector<double> brightness;
    int largestChangeAlongV = 0;
};

Columns columnsOf(const unsigned char* rgb) {
    Columns result;
    result.brightness.assign(SIZE, 0.0);
    for (int column = 0; column < SIZE; ++column) {
        int low = 765, high = 0;
        for (int row = 0; row < SIZE; ++row) {
            const unsigned char* p = rgb + (static_cast<std::size_t>(row) * SIZE + column) * 3;
            const int b = p[0] + p[1] + p[2];
            result.brightness[column] += b / static_cast<double>(SIZE);
            low = std::min(low, b);
            high = std::max(high, b);
        }
        result.largestChangeAlongV = std::max(result.largestChangeAlongV, high - low);
    }
    return result;
}

TEST(RingTexture, BandsAcrossTheWidthNearlyConstantAroundTheRing) {
    const ResourceBytes ring = platform.textureResource(240);
    ASSERT_NE(ring.data, nullptr);
    const Columns columns = columnsOf(ring.data);
    EXPECT_LE(columns.largestChangeAlongV, 40);  // out of 765: a faint shimmer at most
    const auto& b = columns.brightness;
    const double brightest = *std::max_element(b.begin(), b.end());
    EXPECT_GT(brightest, 600);
    // The top face shows u = 0.5 (outer edge) to 0.75 (inner edge): a clear dark division with the
    // bright ring inside it and a dimmer ring outside it.
    const auto top = b.begin() + SIZE / 2, topEnd = b.begin() + 3 * SIZE / 4;
    const auto gap = std::min_element(top + 4, topEnd - 4);
    EXPECT_LT(*gap, 0.2 * brightest);
    const double outside = *std::max_element(top, gap), inside = *std::max_element(gap, topEnd);
    EXPECT_GT(outside, 3 * *gap);
    EXPECT_GT(inside, outside);
    // The bottom face reads the whole width, outer to inner: it has its own division in the outer half.
    const auto bottomGap = std::min_element(b.begin() + 8, b.begin() + SIZE / 2);
    EXPECT_LT(*bottomGap, 0.2 * brightest);
    // u = 0 and u = 1 meet under the repeat wrap: both edges are the same dim edge colour.
    EXPECT_NEAR(b.front(), b.back(), 40);
}

}  // namespace
