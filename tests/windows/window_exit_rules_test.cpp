// The exit rules through the real window procedure: which activation messages end the saver (only the
// low 16 bits of wParam count), what stays silent while a password check runs, the cursor the
// set-cursor message leaves, and the mouse-travel rule fed by the cursor position.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/platform.h"
#include "saver/saver_input.h"
#include "saver/saver_mode.h"
#include "saver/startup.h"
#include "saver/win32/saver_window.h"
#include "scene/flight_input.h"
#include "settings/saver_settings.h"

namespace {

int32_t cursorX = 500, cursorY = 400;
bool fakeCursor(int32_t* x, int32_t* y) {
    *x = cursorX;
    *y = cursorY;
    return true;
}

class ExitRules : public ::testing::Test {
protected:
    void SetUp() override {
        saved = platform;
        platform.cursorPosition = fakeCursor;
        cursorX = 500;
        cursorY = 400;
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = SaverWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OrbitariumExitRulesTest";
        RegisterClassA(&windowClass);
        connectSaverWindowCalls();
        saverMode = SaverMode::Run;
        exitRulesArmed = true;  // as in the frame loop
        saverSettings = SaverSettings{};
        saverState = SaverState{};
        flightInput = FlightInput{};
        largeMoveCount = 0;
        window = CreateWindowExA(0, "OrbitariumExitRulesTest", "Orbitarium", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        drain();
        saverState.closeRequested = 0;
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        drain();
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        saverMode = SaverMode::None;
        exitRulesArmed = false;
        platform = saved;
    }
    void drain() {
        MSG message;
        while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    // True when the message asked the saver to end: the close flag and a posted WM_CLOSE. Both are
    // taken back, so that each message is judged on its own.
    bool endsTheSaver(UINT message, WPARAM wParam, LPARAM lParam = 0) {
        saverState.closeRequested = 0;
        SendMessageA(window, message, wParam, lParam);
        MSG posted;
        const bool closePosted = PeekMessageA(&posted, window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != 0;
        const bool requested = saverState.closeRequested != 0;
        EXPECT_EQ(closePosted, requested) << "message " << message;
        saverState.closeRequested = 0;
        return requested;
    }
    void moveCursorTo(int32_t x, int32_t y, LPARAM reported = 0) {
        cursorX = x;
        cursorY = y;
        SendMessageA(window, WM_MOUSEMOVE, 0, reported);
    }

    HWND window = nullptr;
    Platform saved{};
};

}  // namespace

TEST_F(ExitRules, ActivationMessagesEndTheSaverWhenTheLowWordOfWParamIsZero) {
    // Active and focused already, so that the default handling of an activating message (which gives
    // the window the focus) changes nothing of the activation.
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    SetFocus(window);
    drain();
    // WA_INACTIVE with the minimised flag in the high word: inactive, so it ends.
    EXPECT_TRUE(endsTheSaver(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, TRUE)));
    EXPECT_TRUE(endsTheSaver(WM_ACTIVATE, WA_INACTIVE));
    EXPECT_FALSE(endsTheSaver(WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, TRUE)));
    EXPECT_FALSE(endsTheSaver(WM_ACTIVATE, WA_CLICKACTIVE));
    EXPECT_TRUE(endsTheSaver(WM_NCACTIVATE, FALSE));
    EXPECT_TRUE(endsTheSaver(WM_NCACTIVATE, 0x10000));
    EXPECT_FALSE(endsTheSaver(WM_NCACTIVATE, TRUE));
    EXPECT_TRUE(endsTheSaver(WM_ACTIVATEAPP, 0x10000));
    EXPECT_FALSE(endsTheSaver(WM_ACTIVATEAPP, TRUE));
}

TEST_F(ExitRules, DuringAPasswordCheckActivationMovesAndButtonsAreSilent) {
    saverSettings.AutoPilot = 1;
    saverState.anchorCursor = {500, 400};
    saverState.checkingPassword = 1;
    flightInput.mouseButton = 2;
    EXPECT_FALSE(endsTheSaver(WM_ACTIVATE, WA_INACTIVE));
    EXPECT_FALSE(endsTheSaver(WM_NCACTIVATE, FALSE));
    EXPECT_FALSE(endsTheSaver(WM_ACTIVATEAPP, FALSE));
    EXPECT_FALSE(endsTheSaver(WM_KEYDOWN, VK_ESCAPE));
    for (int i = 0; i < 6; ++i) moveCursorTo(500 + 300 * (i % 2 ? -1 : 1), 400);
    EXPECT_EQ(largeMoveCount, 0);
    EXPECT_EQ(saverState.anchorCursor.x, 500);
    EXPECT_EQ(saverState.closeRequested, 0);
    SendMessageA(window, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(flightInput.mouseButton, 2) << "button down silent";
    SendMessageA(window, WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(flightInput.mouseButton, 2) << "button up silent";

    saverState.checkingPassword = 0;
    SendMessageA(window, WM_MBUTTONUP, 0, 0);
    EXPECT_EQ(flightInput.mouseButton, 0);
    EXPECT_TRUE(endsTheSaver(WM_ACTIVATE, WA_INACTIVE));
}

TEST_F(ExitRules, SetCursorHidesTheCursorWhileActiveAndShowsTheArrowDuringTheCheck) {
    // As the system sends it for the mouse over the client area; this window class has no cursor of
    // its own, so the default handling leaves the procedure's choice in place.
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(arrow);
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), overClient);
    EXPECT_EQ(GetCursor(), nullptr);
    saverState.checkingPassword = 1;
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), overClient);
    EXPECT_EQ(GetCursor(), arrow);
    saverState.checkingPassword = 0;
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), overClient);
    EXPECT_EQ(GetCursor(), nullptr);
}

TEST_F(ExitRules, MouseMovesCountBeyondAHundredPixelsOfTheCursorAndTheFourthEnds) {
    saverSettings.AutoPilot = 1;
    saverState.anchorCursor = {500, 400};
    // The message's own coordinates are not what counts: the cursor position is.
    moveCursorTo(500, 400, MAKELPARAM(1000, 700));
    moveCursorTo(600, 300);  // exactly 100 on both axes
    EXPECT_EQ(largeMoveCount, 0);
    EXPECT_EQ(saverState.anchorCursor.x, 500);
    moveCursorTo(601, 400);
    EXPECT_EQ(largeMoveCount, 1);
    EXPECT_EQ(saverState.anchorCursor.x, 601) << "the anchor follows a counted move";
    moveCursorTo(601, 501);
    moveCursorTo(400, 501);
    EXPECT_EQ(largeMoveCount, 3);
    EXPECT_EQ(saverState.closeRequested, 0);
    cursorX = 250;
    EXPECT_TRUE(endsTheSaver(WM_MOUSEMOVE, 0));
    EXPECT_EQ(largeMoveCount, 0);

    saverSettings.AutoPilot = 0;  // manual flight: no move ends the saver
    for (int i = 0; i < 8; ++i) {
        cursorX = 250 + 400 * (i % 2);
        EXPECT_FALSE(endsTheSaver(WM_MOUSEMOVE, 0)) << "move " << i;
    }
    EXPECT_EQ(largeMoveCount, 0);
}
