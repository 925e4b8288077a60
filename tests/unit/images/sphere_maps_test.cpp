// The sphere maps as the saver's sphere reads them: seamless across u = 0, one colour along each pole
// row, and the Earth's continents where they belong with longitude = 180 - 360 u.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "images/land_mask.h"
#include "images/texture_set.h"
#include "platform/platform.h"

namespace {

struct Map {
    int id;
    int size;
    const unsigned char* data;
    int at(int column, int row, int channel) const { return data[(static_cast<std::size_t>(row) * size + column) * 3 + channel]; }
};

std::vector<Map> sphereMaps() {
    std::vector<Map> maps;
    for (const TextureEntry& e : textureTable())
        if (e.kind == TextureKind::Sphere) maps.push_back({e.id, e.width, platform.textureResource(e.id).data});
    return maps;
}

TEST(SphereMaps, FirstAndLastColumnsContinueEachOther) {
    const std::vector<Map> maps = sphereMaps();
    ASSERT_EQ(maps.size(), 11u);
    for (const Map& m : maps) {
        ASSERT_NE(m.data, nullptr);
        // Mean byte difference across the seam, against the same between neighbouring columns inside.
        double seam = 0, inside = 0;
        long insideCount = 0;
        for (int r = 0; r < m.size; ++r)
            for (int c = 0; c < 3; ++c) {
                seam += std::abs(m.at(0, r, c) - m.at(m.size - 1, r, c));
                for (int x = 1; x < m.size; x += 7, ++insideCount) inside += std::abs(m.at(x, r, c) - m.at(x - 1, r, c));
            }
        seam /= m.size * 3.0;
        inside /= insideCount;
        EXPECT_LE(seam, 1.5 * inside + 0.5) << "texture " << m.id << ": seam " << seam << ", inside " << inside;
    }
}

TEST(SphereMaps, PoleRowsAreOneColourAndTheirNeighboursNearlySo) {
    for (const Map& m : sphereMaps()) {
        for (int row : {0, 1, m.size - 2, m.size - 1}) {
            int spread = 0;
            for (int c = 0; c < 3; ++c) {
                int low = 255, high = 0;
                for (int x = 0; x < m.size; ++x) {
                    low = std::min(low, m.at(x, row, c));
                    high = std::max(high, m.at(x, row, c));
                }
                spread = std::max(spread, high - low);
            }
            const bool outermost = row == 0 || row == m.size - 1;
            EXPECT_LE(spread, outermost ? 1 : 24) << "texture " << m.id << " row " << row;
        }
    }
}

// The texel of the 512 x 512 Earth map at a place: u from longitude = 180 - 360 u, v from latitude.
int earthColumn(double longitude) { return static_cast<int>(std::floor((180.0 - longitude) / 360.0 * 512.0)) % 512; }
int earthRow(double latitude) { return static_cast<int>(std::floor((latitude + 90.0) / 180.0 * 512.0)); }

TEST(EarthMap, ContinentsLieWhereLongitudeIs180Minus360U) {
    LandMask land;
    ASSERT_TRUE(readLandMask(ORBITARIUM_LAND_MASK, &land));
    struct Place {
        const char* name;
        double latitude, longitude;
        bool isLand;
    };
    const Place places[] = {
        {"Sahara", 23, 12, true},         {"Central Australia", -25, 134, true}, {"Brazil", -10, -50, true},
        {"Siberia", 62, 100, true},       {"Canada", 55, -100, true},          {"Greenland", 72, -40, true},
        {"mid-Atlantic", 0, -28, false},  {"Pacific at the seam", 0, 180, false}, {"Indian Ocean", -20, 75, false},
        {"North Pacific", 35, -150, false}, {"Tasman Sea", -38, 160, false},   {"Arabian Sea", 14, 63, false},
    };
    for (const Place& p : places) {
        const double coverage = landCoverage(land, earthColumn(p.longitude), earthRow(p.latitude), 512, 512);
        EXPECT_EQ(coverage > 0.5, p.isLand) << p.name << " (coverage " << coverage << ")";
    }
    // u = 0.25 is 90 E (the Bay of Bengal's longitude runs through India's east coast and Tibet),
    // u = 0.75 is 90 W (the Gulf of Mexico's longitude through the United States).
    EXPECT_GT(landCoverage(land, 128, earthRow(30), 512, 512), 0.5);   // Tibet at 30 N, 90 E
    EXPECT_LT(landCoverage(land, 128, earthRow(-30), 512, 512), 0.5);  // Indian Ocean at 30 S, 90 E
    EXPECT_GT(landCoverage(land, 384, earthRow(35), 512, 512), 0.5);   // Tennessee at 35 N, 90 W
}

TEST(EarthMap, LandIsGreenOrBrownAndOceanBlueWhereTheSkyIsClear) {
    const Map earth{238, 512, platform.textureResource(238).data};
    ASSERT_NE(earth.data, nullptr);
    LandMask land;
    ASSERT_TRUE(readLandMask(ORBITARIUM_LAND_MASK, &land));
    // Over all cloud-free texels between 50 S and 60 N (not white or grey: blue well apart from red),
    // land must be mostly not blue and sea mostly blue.
    long landBlue = 0, landCount = 0, seaBlue = 0, seaCount = 0;
    for (int row = earthRow(-50); row < earthRow(60); ++row)
        for (int column = 0; column < 512; ++column) {
            const int r = earth.at(column, row, 0), g = earth.at(column, row, 1), b = earth.at(column, row, 2);
            if (std::min({r, g, b}) > 150) continue;  // cloud
            const double coverage = landCoverage(land, column, row, 512, 512);
            const bool blue = b > r + 30 && b > g;
            if (coverage == 1.0) {
                ++landCount;
                landBlue += blue;
            } else if (coverage == 0.0) {
                ++seaCount;
                seaBlue += blue;
            }
        }
    ASSERT_GT(landCount, 10000);
    ASSERT_GT(seaCount, 30000);
    EXPECT_LT(static_cast<double>(landBlue) / landCount, 0.05);
    EXPECT_GT(static_cast<double>(seaBlue) / seaCount, 0.9);
}

}  // namespace
