// Stored values no dialog would write, against the real registry, window and display.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/platform.h"
#include "saver/password_hooks.h"
#include "saver/saver_input.h"
#include "saver/saver_mode.h"
#include "saver/startup.h"
#include "saver/win32/saver_main.h"
#include "settings/win32/registry_store.h"

namespace {

int messages = 0;
int quits = 0;
Platform real{};
int frames = 0;
void ignoreWindow(void*) {}
void countQuit(void*) { ++quits; }
int countMessage(const char*, const char*, uint32_t) { return ++messages, IDOK; }

void store(const char* key, const char* name, DWORD value) {
    HKEY handle = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(handle);
}

// The frame loop reads the multimedia timer once a frame: the third frame asks the saver to end.
uint32_t endAfterThreeFrames() {
    if (++frames == 3) requestClose();
    return real.multimediaTime();
}

DEVMODEA currentMode() {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return mode;
}

class HostileDisplaySize : public ::testing::TestWithParam<DWORD> {
protected:
    void SetUp() override {
        saved = real = platform;
        platform.messageBox = countMessage;
        platform.multimediaTime = endAfterThreeFrames;
        messages = 0;
        frames = 0;
        RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
    }
    void TearDown() override {
        platform = saved;
        RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
        saverMode = SaverMode::None;
        exitRulesArmed = false;
    }
    Platform saved{};
};

// No display lists such a width: the stored mode counts as absent and the saver runs in the current one.
TEST_P(HostileDisplaySize, NoDisplayListsItSoTheSaverRunsInTheCurrentMode) {
    store(SAVER_KEY, "ScrWidth", GetParam());
    const DEVMODEA before = currentMode();
    EXPECT_EQ(saverMain(GetModuleHandleA(nullptr), "orb.scr /s", SW_SHOW), 0);
    EXPECT_GE(frames, 3);
    const DEVMODEA after = currentMode();
    EXPECT_EQ(after.dmPelsWidth, before.dmPelsWidth);
    EXPECT_EQ(after.dmPelsHeight, before.dmPelsHeight);
    EXPECT_EQ(after.dmBitsPerPel, before.dmBitsPerPel);
    EXPECT_EQ(messages, 0);
}

INSTANTIATE_TEST_SUITE_P(Widths, HostileDisplaySize, ::testing::Values(0u, 4294967295u));

TEST(HostilePasswordDelay, AllOnesReadsAsMinusOneAndMeansNoGracePeriod) {
    RegDeleteTreeA(HKEY_CURRENT_USER, SYSTEM_KEY);
    store(SYSTEM_KEY, "Password Delay", 4294967295u);
    SaverState state;
    readSystemSaverValues(state);
    EXPECT_EQ(state.passwordDelay, -1);
    RegDeleteTreeA(HKEY_CURRENT_USER, SYSTEM_KEY);

    // A negative delay gives no grace period: a close right after the start asks for the password.
    const Platform saved = platform;
    const SaverWindowCalls savedCalls = saverWindowCalls;
    platform.isNtPlatform = [] { return false; };
    saverWindowCalls = {ignoreWindow, countQuit, ignoreWindow, verifySaverPassword};
    SetEnvironmentVariableA("ORB_FAKE_PASSWORD_CALLS", "0");
    SetEnvironmentVariableA("ORB_FAKE_PASSWORD_ANSWER", "1");
    saverMode = SaverMode::Run;
    exitRulesArmed = true;  // as in the frame loop
    saverState = SaverState{};
    saverState.passwordDelay = -1;
    quits = 0;
    onWindowCreated(nullptr);
    saverState.startTime -= 1000;  // a second after the start
    requestClose();
    onClose();
    char calls[8] = "";
    GetEnvironmentVariableA("ORB_FAKE_PASSWORD_CALLS", calls, sizeof calls);
    EXPECT_STREQ(calls, "1");
    EXPECT_EQ(quits, 1);
    saverWindowCalls = savedCalls;
    saverMode = SaverMode::None;
    exitRulesArmed = false;
    platform = saved;
}

}  // namespace
