// The covers of the monitors beside the primary: real windows placed for monitor layouts that the
// platform table reports, their input through the saver's rules, and the activation moving between
// the saver's own windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "fake_desk.h"
#include "gl/driver_library.h"
#include "gl/window_system.h"
#include "platform/platform.h"
#include "saver/saver_input.h"
#include "saver/saver_mode.h"
#include "saver/saver_windows.h"
#include "saver/startup.h"
#include "saver/win32/monitor_covers.h"
#include "saver/win32/saver_main.h"
#include "saver/win32/saver_window.h"
#include "scene/flight_input.h"
#include "settings/saver_settings.h"
#include "settings/win32/registry_store.h"

namespace {

POINT fakeCursor{};
bool readFakeCursor(int32_t* x, int32_t* y) {
    *x = fakeCursor.x;
    *y = fakeCursor.y;
    return true;
}

int boxesShown = 0;
int countBox(const char*, const char*, uint32_t) {
    ++boxesShown;
    return IDOK;
}

const std::vector<MonitorArea> SIDE_BY_SIDE{{0, 0, 1024, 768, true}, {1024, 0, 1824, 600, false}};
const std::vector<MonitorArea> ABOVE{{0, 0, 1024, 768, true}, {112, -600, 912, 0, false}};
const std::vector<MonitorArea> NEGATIVE_ORIGIN{{-1280, -256, 0, 768, false}, {0, 0, 1024, 768, true}};
const std::vector<MonitorArea> THREE{{-800, 0, 0, 600, false}, {0, 0, 1024, 768, true}, {1024, -100, 2304, 924, false}};

HWND cover(uint32_t i) { return static_cast<HWND>(saverCovers.windows[i]); }

class MonitorCovers : public ::testing::Test {
protected:
    void SetUp() override {
        saved = platform;
        savedSystem = saverWindowSystem;
        platform.listMonitors = listDesk;
        platform.messageBox = countBox;
        boxesShown = 0;
        connectSaverWindowCalls();
        saverMode = SaverMode::Run;
        exitRulesArmed = true;  // as in the frame loop
        saverSettings = SaverSettings{};
        saverState = SaverState{};
        saverState.passwordDelay = 60;  // ending asks for no password
        flightInput = FlightInput{};
        largeMoveCount = 0;

        // A window of the saver's class and procedure stands for the saver window on the primary.
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = SaverWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OrbitariumCoverTestSaver";
        RegisterClassA(&windowClass);
        saverWindow = CreateWindowExA(0, "OrbitariumCoverTestSaver", "Orbitarium", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(saverWindow, nullptr);
        SetActiveWindow(saverWindow);
        drain();
        saverState.closeRequested = 0;
    }

    void TearDown() override {
        destroyMonitorCovers();
        exitRulesArmed = false;  // nothing below is the user leaving
        for (HWND window : {saverWindow, stranger})
            if (window && IsWindow(window)) DestroyWindow(window);
        drain();
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        saverMode = SaverMode::None;
        platform = saved;
        saverWindowSystem = savedSystem;
    }

    static void drain() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message != WM_QUIT) DispatchMessageA(&message);
    }

    // The closes that the rules posted to the saver window, taken from its queue.
    int closesPosted() {
        int count = 0;
        MSG message;
        while (PeekMessageA(&message, saverWindow, WM_CLOSE, WM_CLOSE, PM_REMOVE)) ++count;
        return count;
    }

    HWND makeStranger() {
        stranger = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 300, 300, 50, 50, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
        return stranger;
    }

    Platform saved{};
    SaverWindowSystem savedSystem{};
    HWND saverWindow = nullptr;
    HWND stranger = nullptr;
};

TEST_F(MonitorCovers, EachMonitorBesideThePrimaryGetsABlackTopmostWindowOfExactlyItsRectangle) {
    const struct {
        const char* name;
        const std::vector<MonitorArea>& layout;
    } layouts[] = {{"side by side", SIDE_BY_SIDE}, {"above", ABOVE}, {"negative origin", NEGATIVE_ORIGIN},
                   {"three monitors", THREE}};
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.name);
        desk = layout.layout;
        MonitorArea expected[MAX_COVERS];
        const uint32_t wanted = coverAreas(expected);
        ASSERT_EQ(wanted, layout.layout.size() - 1);
        ASSERT_EQ(placeMonitorCovers(), wanted);
        ASSERT_EQ(saverCovers.count, wanted);
        for (uint32_t i = 0; i < wanted; ++i) {
            SCOPED_TRACE(i);
            RECT frame{};
            ASSERT_TRUE(GetWindowRect(cover(i), &frame));
            EXPECT_EQ(frame.left, expected[i].left);
            EXPECT_EQ(frame.top, expected[i].top);
            EXPECT_EQ(frame.right, expected[i].right);
            EXPECT_EQ(frame.bottom, expected[i].bottom);
            // Placed hidden; shown only when the saver shows its own window.
            EXPECT_FALSE(IsWindowVisible(cover(i)));
            char className[32] = {};
            GetClassNameA(cover(i), className, sizeof className);
            EXPECT_STREQ(className, COVER_CLASS);
            EXPECT_EQ(GetClassLongPtrA(cover(i), GCLP_HBRBACKGROUND),
                      reinterpret_cast<LONG_PTR>(GetStockObject(BLACK_BRUSH)));
        }
        showMonitorCovers();
        for (uint32_t i = 0; i < wanted; ++i) {
            // The system gives every top-level window WS_CLIPSIBLINGS of its own accord.
            const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(cover(i), GWL_STYLE));
            EXPECT_EQ(style & ~static_cast<DWORD>(WS_CLIPSIBLINGS), static_cast<DWORD>(WS_POPUP | WS_VISIBLE));
            const DWORD extended = static_cast<DWORD>(GetWindowLongPtrA(cover(i), GWL_EXSTYLE));
            EXPECT_TRUE(extended & WS_EX_TOPMOST);
            EXPECT_TRUE(extended & WS_EX_TOOLWINDOW);  // in no task list
            EXPECT_EQ(GetWindowTextLengthA(cover(i)), 0);
            EXPECT_EQ(GetParent(cover(i)), nullptr);
        }
        // Showing them took the activation from nobody, and nothing asked the saver to end.
        EXPECT_EQ(GetActiveWindow(), saverWindow);
        EXPECT_EQ(closesPosted(), 0);

        std::vector<HWND> made;
        for (uint32_t i = 0; i < saverCovers.count; ++i) made.push_back(cover(i));
        destroyMonitorCovers();
        EXPECT_EQ(saverCovers.count, 0u);
        for (HWND gone : made) EXPECT_FALSE(IsWindow(gone));
        EXPECT_EQ(FindWindowA(COVER_CLASS, nullptr), nullptr);
    }
}

BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int threadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(MonitorCovers, OneMonitorOrAMirroredOneMakesNoWindowAtAll) {
    for (const auto& layout : {std::vector<MonitorArea>{{0, 0, 1024, 768, true}},
                               std::vector<MonitorArea>{{0, 0, 1024, 768, true}, {0, 0, 1024, 768, false}},
                               std::vector<MonitorArea>{}}) {
        desk = layout;
        const int before = threadWindows();
        EXPECT_EQ(placeMonitorCovers(), 0u);
        showMonitorCovers();
        EXPECT_EQ(threadWindows(), before);
        EXPECT_EQ(FindWindowA(COVER_CLASS, nullptr), nullptr);
        destroyMonitorCovers();
    }
}

// The system's real call on every cover but the second, which it refuses.
int coversAsked = 0;
HWND WINAPI refuseSecondCover(DWORD extendedStyle, LPCSTR className, LPCSTR caption, DWORD style, int x, int y, int width,
                              int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID data) {
    if (++coversAsked == 2) return nullptr;
    return CreateWindowExA(extendedStyle, className, caption, style, x, y, width, height, parent, menu, instance, data);
}

TEST_F(MonitorCovers, ACoverTheSystemRefusesIsLeftOutAndTheOthersStay) {
    desk = THREE;
    coversAsked = 0;
    saverWindowSystem.createWindowEx = refuseSecondCover;
    ASSERT_EQ(placeMonitorCovers(), 1u);
    RECT frame{};
    GetWindowRect(cover(0), &frame);
    EXPECT_EQ(frame.left, -800);
    EXPECT_EQ(boxesShown, 0);  // the saver runs without that cover, and says nothing
}

TEST_F(MonitorCovers, CoversPaintBlackBeforeAnyFrame) {
    // On the test display itself, so that there is something to paint.
    desk = {{0, 0, 400, 768, true}, {400, 0, 1024, 768, false}};
    ASSERT_EQ(placeMonitorCovers(), 1u);
    showMonitorCovers();
    HDC deviceContext = GetDC(cover(0));
    EXPECT_EQ(GetPixel(deviceContext, 10, 10), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(deviceContext, 600, 700), RGB(0, 0, 0));
    ReleaseDC(cover(0), deviceContext);
}

TEST_F(MonitorCovers, ActivationMovingToACoverAndBackIsNotLeavingButLeavingFromACoverIs) {
    desk = SIDE_BY_SIDE;
    ASSERT_EQ(placeMonitorCovers(), 1u);
    showMonitorCovers();
    SetActiveWindow(cover(0));
    ASSERT_EQ(GetActiveWindow(), cover(0));
    SetActiveWindow(saverWindow);
    SetActiveWindow(cover(0));
    EXPECT_EQ(closesPosted(), 0);
    EXPECT_EQ(saverState.closeRequested, 0);

    SetActiveWindow(makeStranger());  // another window takes it from the cover
    EXPECT_GE(closesPosted(), 1);
    EXPECT_EQ(saverState.closeRequested, 1);
}

TEST_F(MonitorCovers, LeavingFromTheSaverWindowStillEndsWithCoversUp) {
    desk = THREE;
    ASSERT_EQ(placeMonitorCovers(), 2u);
    showMonitorCovers();
    SetActiveWindow(makeStranger());
    EXPECT_GE(closesPosted(), 1);
}

// Input over another monitor arrives in the cover's queue: the frame loop's step for the covers
// must fetch it and hand it to the same rules.
TEST_F(MonitorCovers, KeysMouseTravelAndButtonsOnACoverActLikeOnTheSaverWindow) {
    desk = SIDE_BY_SIDE;
    ASSERT_EQ(placeMonitorCovers(), 1u);
    showMonitorCovers();
    platform.cursorPosition = readFakeCursor;

    PostMessageA(cover(0), WM_KEYDOWN, '5', 0);
    PostMessageA(cover(0), WM_KEYDOWN, VK_LEFT, 0);
    for (int pass = 0; pass < 4; ++pass) ASSERT_TRUE(handleCoverMessages());
    EXPECT_EQ(flightInput.thrust, 2.0f);
    EXPECT_EQ(flightInput.tilt, 1.0f);

    fakeCursor = {1500, 400};  // screen pixels, on the second monitor
    PostMessageA(cover(0), WM_RBUTTONDOWN, 0, 0);
    ASSERT_TRUE(handleCoverMessages());
    EXPECT_EQ(flightInput.mouseButton, 2);
    EXPECT_EQ(flightInput.steerCursor.x, 1500);
    PostMessageA(cover(0), WM_RBUTTONUP, 0, 0);
    ASSERT_TRUE(handleCoverMessages());
    EXPECT_EQ(flightInput.mouseButton, 0);
    EXPECT_EQ(closesPosted(), 0);

    // Manual flight: no travel ends it. The autopilot: the fourth large move does, measured against
    // the same anchor as on the primary.
    saverState.anchorCursor = {1100, 300};
    const POINT path[] = {{1300, 300}, {1500, 300}, {1300, 300}, {1100, 300}};
    saverSettings.AutoPilot = 0;
    for (const POINT& at : path) {
        fakeCursor = at;
        SendMessageA(cover(0), WM_MOUSEMOVE, 0, 0);
    }
    EXPECT_EQ(closesPosted(), 0);
    saverSettings.AutoPilot = 1;
    for (int i = 0; i < 4; ++i) {
        fakeCursor = path[i];
        SendMessageA(cover(0), WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(closesPosted(), i == 3 ? 1 : 0) << "move " << i + 1;
    }

    PostMessageA(cover(0), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(handleCoverMessages());
    EXPECT_EQ(closesPosted(), 1);
}

TEST_F(MonitorCovers, NothingButTheSaverClosesACover) {
    desk = SIDE_BY_SIDE;
    ASSERT_EQ(placeMonitorCovers(), 1u);
    showMonitorCovers();
    EXPECT_EQ(SendMessageA(cover(0), WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(cover(0), WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    EXPECT_EQ(SendMessageA(cover(0), WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    drain();
    EXPECT_TRUE(IsWindow(cover(0)));
    EXPECT_EQ(saverState.closeRequested, 0);
}

TEST_F(MonitorCovers, TheCursorOverACoverIsHiddenUnlessShowMouse) {
    desk = SIDE_BY_SIDE;
    ASSERT_EQ(placeMonitorCovers(), 1u);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    SetCursor(arrow);
    SendMessageA(cover(0), WM_SETCURSOR, reinterpret_cast<WPARAM>(cover(0)), overClient);
    EXPECT_EQ(GetCursor(), nullptr);
    saverSettings.ShowMouse = 1;
    SendMessageA(cover(0), WM_SETCURSOR, reinterpret_cast<WPARAM>(cover(0)), overClient);
    EXPECT_EQ(GetCursor(), arrow);
    saverSettings.ShowMouse = 0;
    saverState.checkingPassword = 1;  // the password dialog needs the arrow on every monitor
    SendMessageA(cover(0), WM_SETCURSOR, reinterpret_cast<WPARAM>(cover(0)), overClient);
    EXPECT_EQ(GetCursor(), arrow);
    saverState.checkingPassword = 0;
}

// The run mode through the entry, on two monitors, with a mode the display lacks: the process is to
// end with code 1, and no cover may be up (none was made before the failure).
TEST_F(MonitorCovers, AFailedDisplayModeSwitchLeavesNoCover) {
    DestroyWindow(saverWindow);
    saverWindow = nullptr;
    drain();
    desk = SIDE_BY_SIDE;
    RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, SAVER_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    const DWORD width = 1234, height = 777;
    RegSetValueExA(key, "ScrWidth", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&width), 4);
    RegSetValueExA(key, "ScrHeight", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&height), 4);
    RegCloseKey(key);
    exitRulesArmed = false;
    // The display lists that mode but refuses to switch to it.
    platform.enumDisplayMode = [](uint32_t index, DisplayMode* mode) {
        DEVMODEA current{};
        current.dmSize = sizeof current;
        if (index > 0 || !EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current)) return false;
        *mode = DisplayMode{};
        mode->width = 1234;
        mode->height = 777;
        mode->bitsPerPixel = current.dmBitsPerPel;
        mode->frequency = current.dmDisplayFrequency;
        return true;
    };
    platform.changeDisplayMode = [](const DisplayMode* mode) {
        return mode ? MODE_CHANGE_BADMODE : MODE_CHANGE_SUCCESSFUL;
    };

    EXPECT_EQ(saverMain(GetModuleHandleA(nullptr), "orb.scr /s", SW_SHOW), 1);
    EXPECT_EQ(boxesShown, 1);
    EXPECT_EQ(saverCovers.count, 0u);
    EXPECT_EQ(FindWindowA(COVER_CLASS, nullptr), nullptr);

    // What the process exit would take away.
    while (HWND left = FindWindowA("OpenGL", nullptr)) DestroyWindow(left);
    drain();
    sharedDeviceContext = nullptr;
    unloadGlApi();
    ChangeDisplaySettingsA(nullptr, 0);
    RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
}

}  // namespace
