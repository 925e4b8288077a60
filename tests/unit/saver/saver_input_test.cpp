#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform_override.h"
#include "saver/saver_input.h"
#include "saver/saver_mode.h"
#include "saver/startup.h"
#include "scene/flight_input.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"

namespace {

// What the rules asked of the window system, in order: C close posted, Q quit posted, R cursor
// refreshed, V password verified.
std::string calls;
int passwordAnswer = 1;
uint32_t tickNow = 0;
CursorPoint cursor;
// The password dialog's own messages arrive while it runs; this one tries to end the saver then.
bool closeDuringCheck = false;

void postClose(void*) { calls += 'C'; }
void postQuit(void*) { calls += 'Q'; }
void refreshCursor(void*) { calls += cursorHidden() ? "r" : "R"; }
int verifyPassword(void*) {
    calls += 'V';
    if (closeDuringCheck) {
        onKeyDown(0x1B);
        onButtonDown(1);
        onClose();
    }
    return passwordAnswer;
}
uint32_t fakeTicks() { return tickNow; }
bool fakeCursor(int32_t* x, int32_t* y) {
    *x = cursor.x;
    *y = cursor.y;
    return true;
}

class InputRules : public ::testing::Test {
protected:
    void SetUp() override {
        platform.tickCount = fakeTicks;
        platform.cursorPosition = fakeCursor;
        saverWindowCalls = {postClose, postQuit, refreshCursor, verifyPassword};
        saverMode = SaverMode::Run;
        exitRulesArmed = true;  // as in the frame loop
        saverSettings = SaverSettings{};
        saverState = SaverState{};
        flightInput = FlightInput{};
        scene.pathPosition = 1234;
        largeMoveCount = 0;
        calls.clear();
        passwordAnswer = 1;
        closeDuringCheck = false;
        tickNow = 1000;
        cursor = {500, 400};
        onWindowCreated(reinterpret_cast<void*>(0x1234));
    }
    void TearDown() override {
        saverMode = SaverMode::None;
        exitRulesArmed = false;
    }
    ScopedPlatform saved;
};

TEST_F(InputRules, WindowCreationTakesWindowAnchorAndStartTime) {
    EXPECT_EQ(saverState.window, reinterpret_cast<void*>(0x1234));
    EXPECT_EQ(saverState.anchorCursor.x, 500);
    EXPECT_EQ(saverState.startTime, 1000u);
}

TEST_F(InputRules, FlightKeysSetThrustAndTiltAndNeverClose) {
    const struct {
        uint32_t key;
        float thrust;
    } thrustKeys[] = {{0x31, 0.0f}, {0x35, 2.0f}, {0x39, 4.0f}, {0x30, 10.0f}, {0x54, 30.0f}, {0x26, 5.0f}, {0x28, -5.0f}};
    for (const auto& k : thrustKeys) {
        onKeyDown(k.key);
        EXPECT_EQ(flightInput.thrust, k.thrust) << k.key;
    }
    onKeyDown(0x25);
    EXPECT_EQ(flightInput.tilt, 1.0f);
    onKeyDown(0x27);
    EXPECT_EQ(flightInput.tilt, -1.0f);
    onKeyUp(0x25);
    EXPECT_EQ(flightInput.tilt, 0.0f);
    EXPECT_EQ(calls, "");
    EXPECT_EQ(saverState.closeRequested, 0);
}

TEST_F(InputRules, ReleasingUpOrDownStopsEvenAfterADigit) {
    onKeyDown(0x39);
    onKeyDown(0x26);
    onKeyUp(0x26);
    EXPECT_EQ(flightInput.thrust, 0.0f);
    onKeyDown(0x37);
    onKeyUp(0x28);
    EXPECT_EQ(flightInput.thrust, 0.0f);
    onKeyDown(0x37);
    onKeyUp(0x41);  // other keys' release changes nothing
    EXPECT_EQ(flightInput.thrust, 3.0f);
}

TEST_F(InputRules, PTwiceRestoresTheAutopilotAndRestartsTheTour) {
    onKeyDown(0x50);
    EXPECT_EQ(saverSettings.AutoPilot, 0);
    EXPECT_EQ(scene.pathPosition, 0);
    scene.pathPosition = 500;
    onKeyDown(0x50);
    EXPECT_EQ(saverSettings.AutoPilot, 1);
    EXPECT_EQ(scene.pathPosition, 0);
    EXPECT_EQ(calls, "");
}

// Before the frame loop runs (a start-up error box is up, or the scene is being built) nothing ends the
// saver: not the box taking the activation, not a key, not the mouse. Flight keys still act, and the
// cursor shows, so the box can be answered.
TEST_F(InputRules, ExitRulesAreSilentUntilTheFrameLoopRuns) {
    exitRulesArmed = false;
    onActivation(false);
    onKeyDown(0x1B);
    for (int move = 1; move <= 5; ++move) {
        cursor.x += 200;
        onMouseMove();
    }
    onButtonDown(1);
    EXPECT_EQ(calls, "");
    EXPECT_EQ(saverState.closeRequested, 0);
    EXPECT_EQ(largeMoveCount, 0);
    EXPECT_EQ(flightInput.mouseButton, 0);
    EXPECT_FALSE(cursorHidden());
    onKeyDown(0x35);
    EXPECT_EQ(flightInput.thrust, 2.0f);

    exitRulesArmed = true;
    onActivation(false);
    EXPECT_EQ(calls, "C");
    EXPECT_TRUE(cursorHidden());
}

TEST_F(InputRules, EveryOtherKeyRequestsTheCloseWhileActive) {
    for (uint32_t key : {0x1Bu, 0x20u, 0x10u, 0x11u, 0x60u, 0x65u, 0x41u, 0x0Du, 0x70u}) {
        calls.clear();
        onKeyDown(key);
        EXPECT_EQ(calls, "C") << key;
    }
    EXPECT_EQ(saverState.closeRequested, 1);
    // Keys act on flight whatever the mode; closing only in the run mode.
    saverMode = SaverMode::Configure;
    calls.clear();
    onKeyDown(0x1B);
    onKeyDown(0x33);
    EXPECT_EQ(calls, "");
    EXPECT_EQ(flightInput.thrust, 1.0f);
}

TEST_F(InputRules, MouseTravelCountsOnlyBeyondOneHundredPixelsAndTheFourthEnds) {
    cursor = {600, 400};  // exactly 100: not counted
    onMouseMove();
    EXPECT_EQ(largeMoveCount, 0);
    EXPECT_EQ(saverState.anchorCursor.x, 500);
    cursor = {601, 400};
    onMouseMove();
    EXPECT_EQ(largeMoveCount, 1);
    EXPECT_EQ(saverState.anchorCursor.x, 601);
    cursor = {601, 299};
    onMouseMove();
    cursor = {480, 299};
    onMouseMove();
    EXPECT_EQ(largeMoveCount, 3);
    EXPECT_EQ(calls, "");
    cursor = {300, 299};
    onMouseMove();
    EXPECT_EQ(calls, "C");
    EXPECT_EQ(largeMoveCount, 0);
}

TEST_F(InputRules, TheMoveMessageAtStartUpWithoutMovementCountsNothing) {
    onMouseMove();
    onMouseMove();
    EXPECT_EQ(largeMoveCount, 0);
    EXPECT_EQ(calls, "");
}

TEST_F(InputRules, ManualFlightNeverEndsByMouseButStillByKeys) {
    saverSettings.AutoPilot = 0;
    for (int i = 0; i < 20; ++i) {
        cursor = {i % 2 ? 0 : 1000, i % 2 ? 0 : 700};
        onMouseMove();
    }
    EXPECT_EQ(calls, "");
    onKeyDown(0x1B);
    EXPECT_EQ(calls, "C");
}

TEST_F(InputRules, ButtonsSteerAndNeverClose) {
    cursor = {10, 20};
    onButtonDown(2);
    EXPECT_EQ(flightInput.mouseButton, 2);
    EXPECT_EQ(flightInput.steerCursor.x, 10);
    EXPECT_EQ(flightInput.steerCursor.y, 20);
    onButtonDown(1);
    onButtonUp();  // any release clears
    EXPECT_EQ(flightInput.mouseButton, 0);
    EXPECT_EQ(calls, "");
}

TEST_F(InputRules, LossOfActivationRequestsTheClose) {
    onActivation(true);
    EXPECT_EQ(calls, "");
    onActivation(false);
    EXPECT_EQ(calls, "C");
}

TEST_F(InputRules, CloseFromElsewhereIsIgnoredAndWithinTheGracePeriodEndsWithoutPassword) {
    onClose();  // not the saver's own request
    EXPECT_EQ(calls, "");
    requestClose();
    tickNow = 1000 + 5000;  // exactly the delay: still within it
    onClose();
    EXPECT_EQ(calls, "CQ");
}

TEST_F(InputRules, AfterTheGracePeriodThePasswordDecides) {
    requestClose();
    tickNow = 1000 + 5001;
    passwordAnswer = 0;
    cursor = {42, 43};
    onClose();
    // Arrow shown while the dialog runs, hidden again after; no quit on a refused password.
    EXPECT_EQ(calls, "CRVr");
    EXPECT_EQ(saverState.checkingPassword, 0);
    EXPECT_EQ(saverState.anchorCursor.x, 42);
    EXPECT_EQ(saverState.closeRequested, 1);  // the next request leads here again
    calls.clear();
    passwordAnswer = 1;
    onClose();
    EXPECT_EQ(calls, "RVrQ");
}

TEST_F(InputRules, NothingClosesOrSteersWhileThePasswordDialogRuns) {
    requestClose();
    tickNow = 1000 + 60000;
    closeDuringCheck = true;
    passwordAnswer = 0;
    onClose();
    EXPECT_EQ(calls, "CRVr");  // the key, the button and the nested close did nothing
    EXPECT_EQ(flightInput.mouseButton, 0);
}

TEST_F(InputRules, ElapsedTimeSurvivesTheTickCountWrapping) {
    saverState.startTime = 0xFFFFF000u;  // 4096 ms before the wrap
    requestClose();
    tickNow = 500;  // 4596 ms later
    onClose();
    EXPECT_EQ(calls, "CQ");
    calls.clear();
    tickNow = 2000;  // 6096 ms later: past the delay
    onClose();
    EXPECT_EQ(calls, "RVrQ");
}

TEST_F(InputRules, StoredPasswordDelaysOfAnySizeAreSafe) {
    requestClose();
    saverState.passwordDelay = INT32_MAX;  // x 1000 does not overflow
    tickNow = 1000 + 0x7FFFFFFFu;
    onClose();
    EXPECT_EQ(calls, "CQ");
    calls.clear();
    saverState.passwordDelay = -30;  // a negative delay counts as none
    tickNow = 1001;
    onClose();
    EXPECT_EQ(calls, "RVrQ");
}

TEST_F(InputRules, SystemCommandsSwallowedExactly) {
    EXPECT_TRUE(swallowsSystemCommand(0xF140));
    EXPECT_TRUE(swallowsSystemCommand(0xF060));
    EXPECT_FALSE(swallowsSystemCommand(0xF141));  // no masking of the low bits
    EXPECT_FALSE(swallowsSystemCommand(0xF120));
}

}  // namespace
