#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "settings/stored_options.h"

namespace {

// A store of raw byte strings, standing in for the registry key.
struct FakeStore {
    std::map<std::string, std::vector<unsigned char>> values;
    std::vector<std::string> queried;
    std::vector<uint32_t> sizesOnEntry;
    std::vector<std::pair<std::string, uint32_t>> written;

    void putWord(const std::string& name, uint32_t v) {
        values[name] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                        static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    }

    static bool read(void* context, const char* name, unsigned char* data, uint32_t* size) {
        auto* store = static_cast<FakeStore*>(context);
        store->queried.emplace_back(name);
        store->sizesOnEntry.push_back(*size);
        auto found = store->values.find(name);
        if (found == store->values.end()) return false;
        if (found->second.size() > *size) {
            *size = static_cast<uint32_t>(found->second.size());
            return false;  // too long, as the registry reports it
        }
        if (!found->second.empty()) std::memcpy(data, found->second.data(), found->second.size());
        *size = static_cast<uint32_t>(found->second.size());
        return true;
    }

    static void write(void* context, const char* name, uint32_t value) {
        static_cast<FakeStore*>(context)->written.emplace_back(name, value);
    }
};

TEST(StoredOptions, EmptyStoreKeepsEveryDefaultAndQueriesInReadingOrder) {
    FakeStore store;
    SaverSettings settings;
    readOptions(settings, FakeStore::read, &store);
    EXPECT_EQ(settings.AutoPilot, 1);
    EXPECT_EQ(settings.CameraSpeed, 4);
    EXPECT_EQ(settings.PlanetSpeed, 3);
    EXPECT_EQ(settings.NumStars, 2);
    EXPECT_EQ(settings.ThreeDfx, 1);
    EXPECT_EQ(settings.InvertMouse, 0);
    EXPECT_EQ(settings.ShowMouse, 0);
    EXPECT_EQ(settings.ScrWidth, 640.0f);
    EXPECT_EQ(settings.Hertz, -1);
    const std::vector<std::string> order = {"ScrWidth", "ScrHeight", "ColorBits", "Hertz",
                                            "AutoPilot", "CameraSpeed", "PlanetSpeed", "NumStars",
                                            "3dfx", "InvertMouse", "ShowMouse"};
    EXPECT_EQ(store.queried, order);
    for (uint32_t size : store.sizesOnEntry) EXPECT_EQ(size, 4u);  // reset before every query
}

TEST(StoredOptions, ConversionsTakeValuesAsStoredWithoutRangeChecks) {
    FakeStore store;
    store.putWord("ScrWidth", 4294967295u);  // unsigned: no negative widths
    store.putWord("ScrHeight", 600);
    store.putWord("ColorBits", 32);
    store.putWord("Hertz", 0);
    store.putWord("AutoPilot", 7);
    store.putWord("CameraSpeed", 0xFFFFFFFFu);  // -1 is kept; the tick clamps where it uses it
    store.putWord("PlanetSpeed", 99);
    store.putWord("NumStars", 0x80000000u);
    store.putWord("3dfx", 2);
    store.putWord("InvertMouse", 0x100);  // non-zero in any byte is on
    store.putWord("ShowMouse", 0);
    SaverSettings settings;
    readOptions(settings, FakeStore::read, &store);
    EXPECT_EQ(settings.ScrWidth, 4294967296.0f);
    EXPECT_EQ(settings.ScrHeight, 600.0f);
    EXPECT_EQ(settings.ColorBits, 32);
    EXPECT_EQ(settings.Hertz, 0);
    EXPECT_EQ(settings.AutoPilot, 1);
    EXPECT_EQ(settings.CameraSpeed, -1);
    EXPECT_EQ(settings.PlanetSpeed, 99);
    EXPECT_EQ(settings.NumStars, INT32_MIN);
    EXPECT_EQ(settings.ThreeDfx, 2);
    EXPECT_EQ(settings.InvertMouse, 1);
    EXPECT_EQ(settings.ShowMouse, 0);
}

TEST(StoredOptions, ValuesNotExactlyFourBytesLeaveTheirOptionAlone) {
    FakeStore store;
    store.values["NumStars"] = {4, 0};                      // short: no defined reading
    store.values["CameraSpeed"] = {1, 0, 0, 0, 0, 0, 0, 0};  // long: the query fails
    store.values["PlanetSpeed"] = {};                        // empty
    store.putWord("AutoPilot", 0);
    SaverSettings settings;
    readOptions(settings, FakeStore::read, &store);
    EXPECT_EQ(settings.NumStars, 2);
    EXPECT_EQ(settings.CameraSpeed, 4);
    EXPECT_EQ(settings.PlanetSpeed, 3);
    EXPECT_EQ(settings.AutoPilot, 0);
}

TEST(StoredOptions, WritesAllElevenInWritingOrderWithStoredForms) {
    SaverSettings settings;
    settings.ScrWidth = 1024.0f;
    settings.ScrHeight = 767.9f;  // truncated toward zero
    settings.ColorBits = 24;
    settings.Hertz = 60;
    settings.AutoPilot = 7;  // any non-zero flag is written as 1
    settings.CameraSpeed = -3;
    settings.NumStars = 4;
    settings.PlanetSpeed = 5;
    settings.ThreeDfx = 2;
    FakeStore store;
    writeOptions(settings, FakeStore::write, &store);
    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {"ScrWidth", 1024},  {"ScrHeight", 767},     {"ColorBits", 24}, {"Hertz", 60},
        {"AutoPilot", 1},    {"CameraSpeed", 0xFFFFFFFDu}, {"NumStars", 4}, {"PlanetSpeed", 5},
        {"3dfx", 2},         {"InvertMouse", 0},     {"ShowMouse", 0}};
    EXPECT_EQ(store.written, expected);
}

TEST(StoredOptions, WriteThenReadRoundTrips) {
    SaverSettings original;
    original.ScrWidth = 1280.0f;
    original.ScrHeight = 1024.0f;
    original.Hertz = 75;
    original.AutoPilot = 0;
    original.ShowMouse = 1;
    original.NumStars = 3;
    FakeStore store;
    writeOptions(original, FakeStore::write, &store);
    for (const auto& [name, value] : store.written) store.putWord(name, value);
    SaverSettings read;
    readOptions(read, FakeStore::read, &store);
    EXPECT_TRUE(read == original);
}

TEST(PixelConversion, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(truncatePixels(1023.99f), 1023);
    EXPECT_EQ(truncatePixels(-0.5f), 0);
    EXPECT_EQ(truncatePixels(4294967296.0f), INT32_MAX);
    EXPECT_EQ(truncatePixels(-1e30f), INT32_MIN);
    EXPECT_EQ(truncatePixels(std::nanf("")), 0);
    EXPECT_EQ(truncatePixelsUnsigned(4294967296.0f), UINT32_MAX);
    EXPECT_EQ(truncatePixelsUnsigned(-5.0f), 0u);
    EXPECT_EQ(truncatePixelsUnsigned(4294967040.0f), 4294967040u);
    EXPECT_EQ(truncatePixelsUnsigned(INFINITY), UINT32_MAX);
}

TEST(StoredOptions, UnknownNamesAreRefused) {
    SaverSettings settings;
    uint32_t stored = 0;
    EXPECT_FALSE(applyStoredOption(settings, "Password Delay", 1));
    EXPECT_FALSE(storedOptionValue(settings, "scrwidth", &stored));  // names are exact
}

}  // namespace
