// The settings store against the real registry of the test prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "settings/win32/registry_store.h"

namespace {

class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
        RegDeleteTreeA(HKEY_CURRENT_USER, SYSTEM_KEY);
        saverSettings = SaverSettings{};
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
        RegDeleteTreeA(HKEY_CURRENT_USER, SYSTEM_KEY);
    }

    static void put(const char* keyName, const char* name, DWORD type, const std::vector<unsigned char>& data) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyName, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static void putWord(const char* keyName, const char* name, DWORD value) {
        put(keyName, name, REG_DWORD,
            {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
             static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)});
    }
    struct Stored {
        DWORD type = 0;
        DWORD size = 0;
        DWORD value = 0;
    };
    static Stored get(const char* name) {
        Stored stored;
        stored.size = sizeof stored.value;
        RegGetValueA(HKEY_CURRENT_USER, SAVER_KEY, name, RRF_RT_ANY, &stored.type, &stored.value, &stored.size);
        return stored;
    }
};

TEST_F(RegistryStore, NoKeyMeansDefaults) {
    readSaverSettings();
    const SaverSettings defaults;
    EXPECT_TRUE(saverSettings == defaults);
}

TEST_F(RegistryStore, KeyWithOnlyNumStarsChangesOnlyThat) {
    putWord(SAVER_KEY, "NumStars", 4);
    readSaverSettings();
    SaverSettings expected;
    expected.NumStars = 4;
    EXPECT_TRUE(saverSettings == expected);
}

TEST_F(RegistryStore, FlagStoredAsSevenReadsOnAndIsWrittenBackAsOne) {
    putWord(SAVER_KEY, "AutoPilot", 7);
    putWord(SAVER_KEY, "ShowMouse", 7);
    saverSettings.AutoPilot = 0;
    readSaverSettings();
    EXPECT_EQ(saverSettings.AutoPilot, 1);
    EXPECT_EQ(saverSettings.ShowMouse, 1);
    writeSaverSettings();
    EXPECT_EQ(get("AutoPilot").value, 1u);
    EXPECT_EQ(get("ShowMouse").value, 1u);
}

TEST_F(RegistryStore, ValuesOfWrongLengthLeaveTheirOptionUnchanged) {
    put(SAVER_KEY, "CameraSpeed", REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0});  // 8 bytes
    put(SAVER_KEY, "PlanetSpeed", REG_BINARY, {5, 0});                    // 2 bytes
    put(SAVER_KEY, "NumStars", REG_BINARY, {});                           // none
    put(SAVER_KEY, "ColorBits", REG_BINARY, {24, 0, 0, 0});  // 4 bytes of any type are taken
    readSaverSettings();
    EXPECT_EQ(saverSettings.CameraSpeed, 4);
    EXPECT_EQ(saverSettings.PlanetSpeed, 3);
    EXPECT_EQ(saverSettings.NumStars, 2);
    EXPECT_EQ(saverSettings.ColorBits, 24);
}

TEST_F(RegistryStore, OutOfRangeValuesAreTakenAsStored) {
    putWord(SAVER_KEY, "CameraSpeed", static_cast<DWORD>(-7));
    putWord(SAVER_KEY, "PlanetSpeed", 1000);
    putWord(SAVER_KEY, "ScrWidth", 0xFFFFFFFFu);
    readSaverSettings();
    EXPECT_EQ(saverSettings.CameraSpeed, -7);
    EXPECT_EQ(saverSettings.PlanetSpeed, 1000);
    EXPECT_EQ(saverSettings.ScrWidth, 4294967296.0f);
}

TEST_F(RegistryStore, WriteStoresAllElevenAsDwordsWithTruncatedSizes) {
    saverSettings.ScrWidth = 1024.0f;
    saverSettings.ScrHeight = 767.75f;
    saverSettings.ColorBits = 32;
    saverSettings.Hertz = 60;
    writeSaverSettings();
    const char* names[] = {"ScrWidth", "ScrHeight", "ColorBits", "Hertz", "AutoPilot", "CameraSpeed",
                           "PlanetSpeed", "NumStars", "3dfx", "InvertMouse", "ShowMouse"};
    for (const char* name : names) {
        const Stored stored = get(name);
        EXPECT_EQ(stored.type, static_cast<DWORD>(REG_DWORD)) << name;
        EXPECT_EQ(stored.size, 4u) << name;
    }
    EXPECT_EQ(get("ScrWidth").value, 1024u);
    EXPECT_EQ(get("ScrHeight").value, 767u);
    EXPECT_EQ(get("CameraSpeed").value, 4u);
    EXPECT_EQ(get("3dfx").value, 1u);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SAVER_KEY, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(count, 11u);

    // And they read back as written.
    const SaverSettings written = saverSettings;
    saverSettings = SaverSettings{};
    readSaverSettings();
    EXPECT_EQ(saverSettings.ScrWidth, 1024.0f);
    EXPECT_EQ(saverSettings.ScrHeight, 767.0f);
    EXPECT_EQ(saverSettings.Hertz, written.Hertz);
}

TEST_F(RegistryStore, PasswordDelayPresentAbsentAndWithoutTheSystemKey) {
    SaverState state;
    state.passwordDelay = 77;
    state.checkingPassword = 1;
    readSystemSaverValues(state);  // no system key
    EXPECT_EQ(state.passwordDelay, 5);
    EXPECT_EQ(state.checkingPassword, 0);

    put(SYSTEM_KEY, "Other", REG_DWORD, {1, 0, 0, 0});
    state.passwordDelay = 77;
    readSystemSaverValues(state);  // key without the value
    EXPECT_EQ(state.passwordDelay, 5);

    putWord(SYSTEM_KEY, "Password Delay", 15);
    readSystemSaverValues(state);
    EXPECT_EQ(state.passwordDelay, 15);

    put(SYSTEM_KEY, "Password Delay", REG_BINARY, {9});  // too short to be a delay
    readSystemSaverValues(state);
    EXPECT_EQ(state.passwordDelay, 5);
}

}  // namespace
