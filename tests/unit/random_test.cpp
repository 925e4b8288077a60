#include <gtest/gtest.h>

#include <array>

#include "scene/random.h"

namespace {

TEST(Random, SameSequenceForASeedOnEveryPlatform) {
    // The sequence is part of the saver's look (sky and orbit angles), so it is pinned here.
    seedRandom(1);
    const std::array<int, 5> expected = {41, 18467, 6334, 26500, 19169};
    for (int value : expected) EXPECT_EQ(nextRandom(), value);
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 41);
}

TEST(Random, StaysInRangeAndCoversIt) {
    seedRandom(0xAB);
    int low = RANDOM_MAX, high = 0;
    long long sum = 0;
    const int draws = 200000;
    for (int i = 0; i < draws; ++i) {
        const int value = nextRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, RANDOM_MAX);
        low = std::min(low, value);
        high = std::max(high, value);
        sum += value;
    }
    EXPECT_LT(low, 10);
    EXPECT_GT(high, RANDOM_MAX - 10);
    EXPECT_NEAR(static_cast<double>(sum) / draws, RANDOM_MAX / 2.0, 150.0);
}

}  // namespace
