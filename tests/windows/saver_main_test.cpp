// The entry's mode dispatch and the frame loop's message step, with real windows and messages.
#include <gtest/gtest.h>
#include <windows.h>

#include "saver/command_line.h"
#include "saver/startup.h"
#include "saver/win32/message_pump.h"
#include "saver/win32/saver_main.h"
#include "settings/win32/registry_store.h"
#include "stars_only_key.h"

namespace {

class SaverMainModes : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableA("FX_GLIDE_NO_SPLASH", nullptr);
        storeOnlyNumStars(4);
        saverSettings = SaverSettings{};
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY); }

    static bool glideVariableSet() {
        char value[8] = {};
        return GetEnvironmentVariableA("FX_GLIDE_NO_SPLASH", value, sizeof value) == 1 && value[0] == '1';
    }
};

TEST_F(SaverMainModes, PreviewAndUnknownOptionsDoNoStartUpWork) {
    for (const char* line : {"orb.scr /p 1234", "orb.scr /l 1234", "orb.scr /x", "orb.scr /", "orb.scr -"}) {
        EXPECT_EQ(saverMain(GetModuleHandleA(nullptr), line, SW_SHOW), 0) << line;
        EXPECT_FALSE(glideVariableSet()) << line;
        EXPECT_EQ(saverSettings.NumStars, 2) << line;  // the options were not read
        EXPECT_EQ(saverSettings.ScrWidth, 640.0f) << line;
    }
}

TEST_F(SaverMainModes, ChangePasswordRunsTheSharedStartUp) {
    EXPECT_EQ(saverMain(GetModuleHandleA(nullptr), "orb.scr /a:0", SW_SHOW), 0);
    EXPECT_EQ(saverMode, SaverMode::ChangePassword);
    EXPECT_TRUE(glideVariableSet());
    EXPECT_EQ(saverSettings.NumStars, 4);
    // The display options come from the current display mode.
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(saverSettings.ScrWidth, static_cast<float>(mode.dmPelsWidth));
    EXPECT_EQ(saverSettings.ScrHeight, static_cast<float>(mode.dmPelsHeight));
    EXPECT_EQ(saverSettings.ColorBits, static_cast<int32_t>(mode.dmBitsPerPel));
}

TEST_F(SaverMainModes, StoredDisplayOptionsOverrideTheCurrentMode) {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, SAVER_KEY, 0, KEY_ALL_ACCESS, &key);
    const DWORD width = 800;
    RegSetValueExA(key, "ScrWidth", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&width), 4);
    RegCloseKey(key);
    EXPECT_EQ(saverMain(GetModuleHandleA(nullptr), "orb.scr a", SW_SHOW), 0);
    EXPECT_EQ(saverSettings.ScrWidth, 800.0f);
}

// A window that counts the messages dispatched to it.
int dispatched = 0;
LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) ++dispatched;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makeWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = countingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OrbitariumPumpTest";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "OrbitariumPumpTest", "pump", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST(MessagePump, HandlesOneMessagePerCallAndStopsAtTheWindowsQuitMessage) {
    HWND window = makeWindow();
    ASSERT_NE(window, nullptr);
    MSG drain;
    while (PeekMessageA(&drain, window, 0, 0, PM_REMOVE)) {
    }
    dispatched = 0;
    EXPECT_TRUE(handleSaverMessage(window));  // nothing waiting
    PostMessageA(window, WM_USER, 0, 0);
    PostMessageA(window, WM_USER, 0, 0);
    PostMessageA(window, WM_QUIT, 0, 0);
    EXPECT_TRUE(handleSaverMessage(window));
    EXPECT_EQ(dispatched, 1);
    EXPECT_TRUE(handleSaverMessage(window));
    EXPECT_EQ(dispatched, 2);
    EXPECT_FALSE(handleSaverMessage(window));
    DestroyWindow(window);
}

TEST(MessagePump, IgnoresMessagesOfOtherWindows) {
    HWND window = makeWindow();
    HWND other = makeWindow();
    MSG drain;
    while (PeekMessageA(&drain, nullptr, 0, 0, PM_REMOVE)) {
    }
    dispatched = 0;
    PostMessageA(other, WM_USER, 0, 0);
    EXPECT_TRUE(handleSaverMessage(window));
    EXPECT_EQ(dispatched, 0);
    DestroyWindow(other);
    DestroyWindow(window);
}

}  // namespace
