#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "platform_override.h"
#include "scene/star_field.h"
#include "settings/saver_settings.h"

namespace {

uint32_t fakeTicks = 0;
uint32_t readFakeTicks() { return fakeTicks; }

class Stars : public ::testing::Test {
protected:
    void SetUp() override {
        platform.tickCount = readFakeTicks;
        saverSettings = SaverSettings{};
        field = std::make_unique<StarField>();
    }
    ScopedPlatform saved;
    std::unique_ptr<StarField> field;
};

TEST_F(Stars, CountsComeFromNumStarsAndNeverPassTheCapacity) {
    EXPECT_EQ(starCountFor(2), 2000);
    EXPECT_EQ(starCountFor(4), 4000);
    EXPECT_EQ(starCountFor(5), 4000);
    EXPECT_EQ(starCountFor(INT32_MAX), 4000);
    EXPECT_EQ(starCountFor(0), 0);
    EXPECT_EQ(starCountFor(-3), 0);
    EXPECT_EQ(starCountFor(INT32_MIN), 0);
    createStarField(field.get(), 4000);
    EXPECT_EQ(field->count, 4000);
    createStarField(field.get(), 90000);
    EXPECT_EQ(field->count, STAR_CAPACITY);
    createStarField(field.get(), -1);
    EXPECT_EQ(field->count, 0);
}

TEST_F(Stars, LieOnTheSkySphereWithBrightnessAndTintsInRange) {
    createStarField(field.get(), 4000);
    int tints[4] = {};
    for (int i = 0; i < field->count; ++i) {
        const float* p = field->positions[i];
        EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 25000.0f, 0.05f);
        const float* c = field->colours[i];
        EXPECT_GE(c[3], 0.6f);
        EXPECT_LE(c[3], 1.0f);
        if (c[0] == 0.85f && c[1] == 0.85f && c[2] == 1.0f) ++tints[0];
        else if (c[0] == 1.0f && c[1] == 0.85f && c[2] == 0.85f) ++tints[1];
        else if (c[0] == 0.85f && c[1] == 1.0f && c[2] == 0.85f) ++tints[2];
        else if (c[0] == 1.0f && c[1] == 1.0f && c[2] == 1.0f) ++tints[3];
        else ADD_FAILURE() << "unknown tint at star " << i;
    }
    for (int t : tints) EXPECT_GT(t, 800);
}

TEST_F(Stars, PointSizesGrowWithTheScreenWidth) {
    const struct {
        float width;
        int largest;
    } rows[] = {{800.0f, 2}, {1023.0f, 2}, {1024.0f, 3}, {1279.0f, 3}, {1280.0f, 5}, {2560.0f, 5}};
    for (const auto& row : rows) {
        saverSettings.ScrWidth = row.width;
        createStarField(field.get(), 4000);
        int low = 99, high = 0;
        for (int i = 0; i < field->count; ++i) {
            low = std::min(low, field->pointSizes[i]);
            high = std::max(high, field->pointSizes[i]);
        }
        EXPECT_EQ(low, 1) << row.width;
        EXPECT_EQ(high, row.largest) << row.width;
    }
}

TEST_F(Stars, SameLowEightBitsOfTheTickCountSameSky) {
    fakeTicks = 0x12345605;
    createStarField(field.get(), 1000);
    auto other = std::make_unique<StarField>();
    fakeTicks = 0x00000105;  // same low 8 bits
    createStarField(other.get(), 1000);
    EXPECT_EQ(std::memcmp(field->positions, other->positions, sizeof(float) * 3 * 1000), 0);
    EXPECT_EQ(std::memcmp(field->colours, other->colours, sizeof(float) * 4 * 1000), 0);
    fakeTicks = 0x00000106;
    createStarField(other.get(), 1000);
    EXPECT_NE(std::memcmp(field->positions, other->positions, sizeof(float) * 3 * 1000), 0);
}

}  // namespace
