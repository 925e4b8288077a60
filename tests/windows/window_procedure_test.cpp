// The saver window's procedure with a real window, real messages and the test password libraries.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "gl/window_system.h"
#include "platform/platform.h"
#include "saver/saver_input.h"
#include "saver/saver_mode.h"
#include "saver/startup.h"
#include "saver/win32/message_pump.h"
#include "saver/win32/saver_main.h"
#include "saver/win32/saver_window.h"
#include "scene/flight_input.h"
#include "settings/saver_settings.h"

namespace {

std::string environment(const char* name) {
    char text[256] = "";
    GetEnvironmentVariableA(name, text, sizeof text);
    return text;
}

bool notNt() { return false; }

class SaverWindowMessages : public ::testing::Test {
protected:
    void SetUp() override {
        saved = platform;
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = SaverWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OrbitariumProcedureTest";
        RegisterClassA(&windowClass);
        connectSaverWindowCalls();
        saverMode = SaverMode::Run;
        exitRulesArmed = true;  // as in the frame loop
        saverSettings = SaverSettings{};
        saverState = SaverState{};
        flightInput = FlightInput{};
        largeMoveCount = 0;
        window = CreateWindowExA(0, "OrbitariumProcedureTest", "Orbitarium", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        drain();
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        drain();
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the destroy handling's own
        saverMode = SaverMode::None;
        exitRulesArmed = false;
        platform = saved;
    }
    void drain() {
        MSG message;
        while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    // Runs the frame loop's message step until nothing waits; true when it met the quit message.
    bool pumpUntilQuit() {
        for (int i = 0; i < 50; ++i) {
            MSG peek;
            if (!PeekMessageA(&peek, window, 0, 0, PM_NOREMOVE)) return false;
            if (!handleSaverMessage(window)) return true;
        }
        return false;
    }

    HWND window = nullptr;
    Platform saved{};
};

TEST_F(SaverWindowMessages, CreationRecordsTheWindowAndStartTime) {
    EXPECT_EQ(saverState.window, window);
    EXPECT_LE(GetTickCount() - saverState.startTime, 5000u);
}

TEST_F(SaverWindowMessages, FlightKeysFillTheInputAndEscapeEndsWithinTheGracePeriod) {
    SendMessageA(window, WM_KEYDOWN, '5', 0);
    SendMessageA(window, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(flightInput.thrust, 2.0f);
    EXPECT_EQ(flightInput.tilt, 1.0f);
    SendMessageA(window, WM_KEYUP, VK_LEFT, 0);
    EXPECT_EQ(flightInput.tilt, 0.0f);
    EXPECT_FALSE(pumpUntilQuit());
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(saverState.closeRequested, 1);
    EXPECT_TRUE(pumpUntilQuit());  // the posted close, then the posted quit
    EXPECT_TRUE(IsWindow(window));  // the close handling never destroys the window itself
}

TEST_F(SaverWindowMessages, OutsideClosesAndSystemCommandsAreIgnored) {
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_FALSE(pumpUntilQuit());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(saverState.closeRequested, 0);
}

TEST_F(SaverWindowMessages, LosingActivationEndsTheSaver) {
    SendMessageA(window, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(saverState.closeRequested, 0);
    SendMessageA(window, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(saverState.closeRequested, 1);
    EXPECT_TRUE(pumpUntilQuit());
}

TEST_F(SaverWindowMessages, ButtonsSteerButNeverEnd) {
    SendMessageA(window, WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(flightInput.mouseButton, 2);
    SendMessageA(window, WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(flightInput.mouseButton, 0);
    EXPECT_EQ(saverState.closeRequested, 0);
}

TEST_F(SaverWindowMessages, AfterTheGracePeriodThePasswordLibraryDecides) {
    platform.isNtPlatform = notNt;  // Wine is NT: pretend otherwise so the library is asked
    SetEnvironmentVariableA("ORB_FAKE_PASSWORD_CALLS", "0");
    SetEnvironmentVariableA("ORB_FAKE_PASSWORD_LOADS", "0");
    SetEnvironmentVariableA("ORB_FAKE_PASSWORD_ANSWER", "0");
    saverState.startTime = GetTickCount() - 60000;
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(pumpUntilQuit());  // refused: the saver goes on
    EXPECT_EQ(environment("ORB_FAKE_PASSWORD_CALLS"), "1");
    EXPECT_EQ(environment("ORB_FAKE_PASSWORD_WINDOW"), std::to_string(reinterpret_cast<uintptr_t>(window)));
    EXPECT_EQ(GetModuleHandleA("PASSWORD.CPL"), nullptr);  // freed after the check
    EXPECT_EQ(saverState.checkingPassword, 0);

    SetEnvironmentVariableA("ORB_FAKE_PASSWORD_ANSWER", "1");
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(pumpUntilQuit());
    EXPECT_EQ(environment("ORB_FAKE_PASSWORD_CALLS"), "2");
    EXPECT_EQ(environment("ORB_FAKE_PASSWORD_LOADS"), "2");  // loaded again for each check
}

TEST_F(SaverWindowMessages, DestroyReleasesTheContextsAndPostsTheQuit) {
    sharedDeviceContext = GetDC(window);
    renderingContext = reinterpret_cast<void*>(0x1);  // no driver loaded: the delete does nothing
    DestroyWindow(window);
    EXPECT_EQ(sharedDeviceContext, nullptr);
    EXPECT_EQ(renderingContext, nullptr);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(ChangePassword, HandsTheParentToTheSystemDialog) {
    SetEnvironmentVariableA("ORB_FAKE_MPR_CALL", nullptr);
    EXPECT_EQ(saverMain(GetModuleHandleA(nullptr), "orb.scr /a:1234", SW_SHOW), 0);
    EXPECT_EQ(environment("ORB_FAKE_MPR_CALL"), "SCRSAVE,1234,0,0");
    EXPECT_EQ(saverMain(GetModuleHandleA(nullptr), "orb.scr /a", SW_SHOW), 0);
    EXPECT_EQ(environment("ORB_FAKE_MPR_CALL"), "SCRSAVE,0,0,0");
}

}  // namespace
