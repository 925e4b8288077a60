// The glow sprite and the loading picture, as the saver draws them.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "images/pictures.h"
#include "platform/platform.h"

namespace {

constexpr int SIZE = 256;

int brightness(const unsigned char* rgb, int x, int y) {
    const unsigned char* p = rgb + (static_cast<std::size_t>(y) * SIZE + x) * 3;
    return p[0] + p[1] + p[2];
}

TEST(GlowTexture, BlackBordersAndCornersBrightestAtTheCentre) {
    const ResourceBytes glow = platform.textureResource(228);
    ASSERT_NE(glow.data, nullptr);
    // The sprite is a square: everything at or beyond 0.85 of the half-width must be pure black.
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x) {
            const double dx = (x + 0.5) / (SIZE / 2.0) - 1.0, dy = (y + 0.5) / (SIZE / 2.0) - 1.0;
            if (dx * dx + dy * dy >= 0.85 * 0.85) {
                ASSERT_EQ(brightness(glow.data, x, y), 0) << x << ", " << y;
            }
        }
    const int centre = brightness(glow.data, SIZE / 2, SIZE / 2);
    int brightest = 0;
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x) brightest = std::max(brightest, brightness(glow.data, x, y));
    EXPECT_EQ(centre, brightest);
    // Orange, not white, half-way out.
    const unsigned char* half = glow.data + (static_cast<std::size_t>(SIZE / 2) * SIZE + SIZE / 2 + 50) * 3;
    EXPECT_GT(half[0], half[1]);
    EXPECT_GT(half[1], half[2]);
    EXPECT_GT(half[0], 100);
}

// Rows of the stored picture that hold lettering, grouped into lines (runs of rows).
struct Line {
    int firstRow, lastRow, firstColumn, lastColumn;
};

std::vector<Line> textLines(const std::vector<double>& coverage) {
    std::vector<Line> lines;
    bool inLine = false;
    for (int row = 0; row < SIZE; ++row) {
        int first = SIZE, last = -1;
        for (int column = 0; column < SIZE; ++column)
            if (coverage[static_cast<std::size_t>(row) * SIZE + column] > 0.5) {
                first = std::min(first, column);
                last = std::max(last, column);
            }
        if (last < 0) {
            inLine = false;
            continue;
        }
        if (!inLine) lines.push_back({row, row, first, last});
        Line& line = lines.back();
        line.lastRow = row;
        line.firstColumn = std::min(line.firstColumn, first);
        line.lastColumn = std::max(line.lastColumn, last);
        inLine = true;
    }
    return lines;
}

TEST(LoadingPicture, LetteringOnlyInTheShownRowsAndUprightOnScreen) {
    std::vector<double> coverage;
    const Picture picture = makeLoadingPicture(&coverage);
    ASSERT_EQ(coverage.size(), static_cast<std::size_t>(SIZE) * SIZE);
    // Only t = 0.4 .. 1 is drawn; row 102 straddles t = 0.4 and is half-sampled by the filter.
    for (int row = 0; row <= 102; ++row)
        for (int column = 0; column < SIZE; ++column)
            ASSERT_EQ(coverage[static_cast<std::size_t>(row) * SIZE + column], 0.0) << "text in hidden row " << row;
    // t = 1 is drawn at the bottom and rows run up in t, so a higher row is lower on the screen.
    const std::vector<Line> lines = textLines(coverage);
    ASSERT_EQ(lines.size(), 2u) << "the name and \"Loading...\"";
    const Line& name = lines[0];
    const Line& loading = lines[1];
    EXPECT_GT(name.lastRow - name.firstRow, loading.lastRow - loading.firstRow) << "the name is the larger line, on top";
    EXPECT_GT(name.lastColumn - name.firstColumn, 150) << "the name spans most of the width";
    // Not mirrored: the right end of "Loading..." is its dots, which sit on the baseline, low on screen.
    int dotsTop = SIZE;
    for (int row = loading.firstRow; row <= loading.lastRow; ++row)
        for (int column = loading.lastColumn - 8; column <= loading.lastColumn; ++column)
            if (coverage[static_cast<std::size_t>(row) * SIZE + column] > 0.5) dotsTop = std::min(dotsTop, row);
    EXPECT_GT(dotsTop, loading.firstRow + (loading.lastRow - loading.firstRow) / 2);
    // The left end is the capital L, as tall as the line's capitals.
    int lTop = SIZE;
    for (int row = loading.firstRow; row <= loading.lastRow; ++row)
        for (int column = loading.firstColumn; column <= loading.firstColumn + 2; ++column)
            if (coverage[static_cast<std::size_t>(row) * SIZE + column] > 0.5) lTop = std::min(lTop, row);
    EXPECT_EQ(lTop, loading.firstRow);
    // Hidden rows and the outermost columns keep one colour, so filtering at the edges brings in nothing.
    const unsigned char* edge = picture.pixel(0, 0);
    for (int row : {0, 50, 101, 255})
        for (int column : {0, 128, 255})
            for (int c = 0; c < 3; ++c) EXPECT_EQ(picture.pixel(column, row)[c], edge[c]) << row << ", " << column;
}

}  // namespace
