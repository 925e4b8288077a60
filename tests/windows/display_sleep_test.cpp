// Whole runs of "/s" in this process, on the real opengl32 and the test display, with the system's
// display-power notice sent to the saver window from a second thread as the system sends it: while the
// display is off no frame is swapped and no tick runs, input still ends the saver, and when it comes
// back the tour goes on from where it stopped. The frames are counted at the buffer swap.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "stars_only_key.h"
#include "platform/platform.h"
#include "saver/win32/saver_main.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"
#include "settings/win32/registry_store.h"

namespace {

constexpr GUID CONSOLE_DISPLAY_STATE = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID MONITOR_POWER_ON = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

// Generous: llvmpipe under Wine on a machine busy with other builds.
constexpr DWORD LONG_WAIT_MS = 60000;

Platform real{};
constexpr int MAX_SWAPS = 100000;
std::atomic<int> swaps{0};
std::atomic<int32_t> positionAtSwap[MAX_SWAPS];  // the tour position each frame showed
std::atomic<HWND> saverWindow{nullptr};

bool countSwap(void* deviceContext) {
    const int index = swaps.load();
    if (index < MAX_SWAPS) positionAtSwap[index] = scene.pathPosition;
    saverWindow = WindowFromDC(static_cast<HDC>(deviceContext));
    swaps = index + 1;
    return real.systemSwapBuffers(deviceContext);
}

bool waitForSwaps(int count) {
    for (DWORD waited = 0; swaps < count; waited += 10) {
        if (waited > LONG_WAIT_MS) return false;
        Sleep(10);
    }
    return true;
}

// The notice as the system sends it: the setting, the length of its data, the state.
void sendDisplayState(const GUID& setting, DWORD state) {
    alignas(8) unsigned char bytes[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)] = {};
    auto* notice = reinterpret_cast<POWERBROADCAST_SETTING*>(bytes);
    notice->PowerSetting = setting;
    notice->DataLength = sizeof state;
    std::memcpy(notice->Data, &state, sizeof state);
    SendMessageA(saverWindow, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(bytes));
}

class DisplaySleep : public ::testing::Test {
protected:
    void SetUp() override {
        real = platform;
        platform.systemSwapBuffers = countSwap;
        swaps = 0;
        saverWindow = nullptr;
        storeOnlyNumStars(1);
    }
    void TearDown() override {
        platform = real;
        RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
        saverSettings = SaverSettings{};
    }
    // Runs the saver here while `script` runs on a second thread; the script must end the saver.
    static int runWith(LPTHREAD_START_ROUTINE script) {
        HANDLE thread = CreateThread(nullptr, 0, script, nullptr, 0, nullptr);
        const int exitCode = saverMain(GetModuleHandleA(nullptr), "orb.scr /s", SW_SHOW);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        return exitCode;
    }
};

// What the sleep script saw, checked on the test's own thread.
struct SleepRun {
    bool drew = false;
    int swapsWhenOff = -1, swapsAfterRest = -1;
    int32_t lastPositionShown = -1, firstPositionBack = -1;
    int swapsWhenOffAgain = -1, swapsBeforeKey = -1;
    bool ended = false;
} sleepRun;

DWORD WINAPI sleepScript(void*) {
    SleepRun& run = sleepRun;
    run = SleepRun{};
    run.drew = waitForSwaps(5);
    if (!run.drew) return 0;
    sendDisplayState(CONSOLE_DISPLAY_STATE, 0);  // handled when this returns
    run.swapsWhenOff = swaps;
    run.lastPositionShown = positionAtSwap[run.swapsWhenOff - 1];
    Sleep(2000);
    run.swapsAfterRest = swaps;
    sendDisplayState(CONSOLE_DISPLAY_STATE, 1);
    if (waitForSwaps(run.swapsAfterRest + 3)) run.firstPositionBack = positionAtSwap[run.swapsAfterRest];

    // Off again (through the older setting this time); then a key, which must still end the saver.
    sendDisplayState(MONITOR_POWER_ON, 0);
    run.swapsWhenOffAgain = swaps;
    Sleep(500);
    run.swapsBeforeKey = swaps;
    PostMessageA(saverWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    for (DWORD waited = 0; IsWindow(saverWindow) && waited < LONG_WAIT_MS; waited += 10) Sleep(10);
    run.ended = !IsWindow(saverWindow);
    if (!run.ended) {
        // Wake it, so that the test fails instead of hanging.
        sendDisplayState(CONSOLE_DISPLAY_STATE, 1);
        PostMessageA(saverWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    return 0;
}

TEST_F(DisplaySleep, NoFramesWhileTheDisplayIsOffAKeyStillEndsAndTheTourGoesOnFromWhereItStopped) {
    ASSERT_EQ(runWith(sleepScript), 0);
    const SleepRun& run = sleepRun;
    ASSERT_TRUE(run.drew) << "the saver drew no frames";
    EXPECT_EQ(run.swapsAfterRest, run.swapsWhenOff) << "frames were drawn for a display that is off";
    ASSERT_GE(run.firstPositionBack, 0) << "no frames came back with the display";
    // The first frame back shows the tour where the last one before the rest left it, plus the one
    // tick that may have followed that frame; ticks while resting (about a hundred) would move it on.
    const int32_t step = 2 * saverSettings.CameraSpeed;
    EXPECT_GE(run.firstPositionBack, run.lastPositionShown);
    EXPECT_LE(run.firstPositionBack, run.lastPositionShown + step);
    EXPECT_EQ(run.swapsBeforeKey, run.swapsWhenOffAgain) << "the older setting's notice did not stop the frames";
    EXPECT_TRUE(run.ended) << "a key did not end the saver while the display was off";
}

// The registration calls as the saver finds them in user32; the fakes record what they are asked.
std::vector<std::string> registrations;
std::atomic<bool> consoleSettingKnown{true};

HPOWERNOTIFY WINAPI fakeRegister(HANDLE recipient, LPCGUID setting, DWORD flags) {
    const bool console = IsEqualGUID(*setting, CONSOLE_DISPLAY_STATE);
    registrations.push_back(std::string(console ? "console" : "monitor") +
                            (recipient && flags == DEVICE_NOTIFY_WINDOW_HANDLE ? " to the window" : ""));
    if (console && !consoleSettingKnown) return nullptr;  // before Windows 8
    return reinterpret_cast<HPOWERNOTIFY>(console ? 0x51 : 0x52);
}

BOOL WINAPI fakeUnregister(HPOWERNOTIFY registration) {
    registrations.push_back("unregister " + std::to_string(reinterpret_cast<uintptr_t>(registration)));
    return TRUE;
}

bool registrationMissing = false;
void* user32WithFakes(void* library, const char* name) {
    const bool registering = std::strcmp(name, "RegisterPowerSettingNotification") == 0;
    if (registering && registrationMissing) return nullptr;
    if (registering) return reinterpret_cast<void*>(fakeRegister);
    if (std::strcmp(name, "UnregisterPowerSettingNotification") == 0) return reinterpret_cast<void*>(fakeUnregister);
    return real.librarySymbol(library, name);
}

DWORD WINAPI drawThenEnd(void*) {
    if (waitForSwaps(5)) {
        registrations.push_back("frames");
        PostMessageA(saverWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    return 0;
}

TEST_F(DisplaySleep, BeforeWindows8TheMonitorPowerIsWatchedAndWithoutTheCallTheSaverDrawsAsEver) {
    platform.librarySymbol = user32WithFakes;
    registrations.clear();
    consoleSettingKnown = false;
    registrationMissing = false;
    ASSERT_EQ(runWith(drawThenEnd), 0);
    const std::vector<std::string> fallback = {"console to the window", "monitor to the window", "frames",
                                               "unregister 82"};
    EXPECT_EQ(registrations, fallback);

    registrations.clear();
    registrationMissing = true;
    ASSERT_EQ(runWith(drawThenEnd), 0);
    EXPECT_EQ(registrations, std::vector<std::string>{"frames"}) << "nothing registered, nothing given back";
}

}  // namespace
