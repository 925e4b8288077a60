// The "TEXTURE" resources as the saver gets them through the platform table: ids, sizes, and the same
// bytes as a fresh run of the generator.
#include <gtest/gtest.h>

#include <cstring>

#include "images/land_mask.h"
#include "images/texture_set.h"
#include "platform/platform.h"

namespace {

struct Expected {
    int id;
    int size;  // pixels per side
};

// The resource ids and sizes the body construction and scene set-up load.
const Expected TEXTURES[] = {
    {236, 512}, {232, 512}, {227, 512}, {238, 512}, {231, 512}, {230, 512}, {235, 512},
    {237, 256}, {234, 256}, {239, 256}, {233, 256}, {240, 256}, {228, 256}, {157, 256},
};

TEST(TextureResources, EveryIdHoldsExactlyWidthTimesHeightTimesThreeBytes) {
    for (const Expected& t : TEXTURES) {
        const ResourceBytes bytes = platform.textureResource(t.id);
        ASSERT_NE(bytes.data, nullptr) << "texture " << t.id;
        EXPECT_EQ(bytes.size, static_cast<std::size_t>(t.size) * t.size * 3) << "texture " << t.id;
        const TextureEntry* entry = findTexture(t.id);
        ASSERT_NE(entry, nullptr) << "texture " << t.id;
        EXPECT_EQ(entry->width, t.size);
        EXPECT_EQ(entry->height, t.size);
    }
    EXPECT_EQ(textureTable().size(), std::size(TEXTURES));
    for (int missing : {0, 12, 229, 241, 243}) EXPECT_EQ(platform.textureResource(missing).data, nullptr) << missing;
}

TEST(TextureResources, BuildBytesEqualAFreshGenerationOnAnyNumberOfThreads) {
    // The build ran the generator in its own process; this run must give the very same bytes.
    LandMask land;
    ASSERT_TRUE(readLandMask(ORBITARIUM_LAND_MASK, &land));
    const TextureSet fresh = makeAllTextures(land);
    for (const Expected& t : TEXTURES) {
        const ResourceBytes built = platform.textureResource(t.id);
        const Picture& picture = fresh.at(t.id);
        ASSERT_EQ(picture.rgb.size(), built.size) << "texture " << t.id;
        EXPECT_EQ(std::memcmp(picture.rgb.data(), built.data, built.size), 0) << "texture " << t.id << " differs";
    }
    // One texture made on its own, outside the thread pool.
    EXPECT_EQ(findTexture(238)->make(land).rgb, fresh.at(238).rgb);
}

TEST(LandMask, ReadsTheCommittedMaskAndRefusesBrokenFiles) {
    LandMask land;
    ASSERT_TRUE(readLandMask(ORBITARIUM_LAND_MASK, &land));
    EXPECT_EQ(land.width, 2048);
    EXPECT_EQ(land.height, 1024);
    long count = 0;
    for (uint8_t bit : land.land) count += bit;
    const double share = static_cast<double>(count) / land.land.size();
    EXPECT_GT(share, 0.28);  // land is 29 % of the globe; the flat map's polar rows weigh Antarctica more
    EXPECT_LT(share, 0.38);
    EXPECT_FALSE(readLandMask("/nonexistent/land.pbm", &land));
    EXPECT_TRUE(land.land.empty());
}

}  // namespace
