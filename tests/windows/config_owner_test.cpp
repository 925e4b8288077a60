// Whose dialog the settings are: "/c" alone makes the foreground window the owner, "/c:N" the window
// whose handle N names. The owner is disabled while the modal dialog runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "saver/win32/saver_main.h"
#include "settings/win32/config_dialog.h"

namespace {

HWND seenOwner = nullptr;
bool ownerWasEnabled = true;

void CALLBACK closeTheDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA("#32770", "Orbitarium Settings");
    if (!dialog) return;
    KillTimer(nullptr, timer);
    seenOwner = GetWindow(dialog, GW_OWNER);
    ownerWasEnabled = seenOwner && IsWindowEnabled(seenOwner);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

class ConfigOwner : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExA(ORBITARIUM_SCR_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        saved = platform;
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OrbitariumOwnerTest";
        RegisterClassA(&windowClass);
        for (HWND& w : windows) {
            w = CreateWindowExA(0, "OrbitariumOwnerTest", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                                100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            ASSERT_NE(w, nullptr);
        }
    }
    void TearDown() override {
        for (HWND w : windows)
            if (w) DestroyWindow(w);
        MSG leftover;
        while (PeekMessageA(&leftover, nullptr, 0, 0, PM_REMOVE)) {
        }
        platform = saved;
        if (module) FreeLibrary(module);
    }
    // Runs the saver's entry with this command line and returns the owner the dialog had.
    HWND ownerFor(const std::string& commandLine) {
        seenOwner = nullptr;
        ownerWasEnabled = true;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, closeTheDialog);
        EXPECT_EQ(saverMain(reinterpret_cast<HINSTANCE>(module), commandLine.c_str(), SW_SHOW), 0);
        KillTimer(nullptr, timer);
        EXPECT_FALSE(ownerWasEnabled) << commandLine << ": the owner is disabled while the dialog runs";
        return seenOwner;
    }

    HMODULE module = nullptr;
    HWND windows[2] = {};
    Platform saved{};
};

}  // namespace

TEST_F(ConfigOwner, WithoutANumberTheForegroundWindowOwnsTheDialog) {
    SetForegroundWindow(windows[1]);
    if (GetForegroundWindow() != windows[1]) GTEST_SKIP() << "this display gives no foreground window";
    EXPECT_EQ(ownerFor("orb.scr /c"), windows[1]);
    SetForegroundWindow(windows[0]);
    EXPECT_EQ(ownerFor("orb.scr /C"), windows[0]);
}

TEST_F(ConfigOwner, WithANumberThatWindowOwnsTheDialogWhicheverIsInFront) {
    SetForegroundWindow(windows[0]);
    const std::string number = std::to_string(reinterpret_cast<uintptr_t>(windows[1]));
    EXPECT_EQ(ownerFor("orb.scr /c:" + number), windows[1]);
    EXPECT_EQ(ownerFor("orb.scr /c " + number), windows[1]);
}
