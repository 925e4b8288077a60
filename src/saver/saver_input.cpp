#include "saver/saver_input.h"

#include <cstdlib>

#include "platform/platform.h"
#include "saver/saver_mode.h"
#include "saver/saver_windows.h"
#include "saver/startup.h"
#include "scene/flight_input.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"

SaverWindowCalls saverWindowCalls{};
int32_t largeMoveCount = 0;
bool exitRulesArmed = false;

namespace {

CursorPoint cursorNow() {
    CursorPoint point;
    platform.cursorPosition(&point.x, &point.y);
    return point;
}

bool isFlightKey(uint32_t key) {
    return (key >= KEY_0 && key <= KEY_9) || key == KEY_T || key == KEY_P ||
           (key >= KEY_LEFT && key <= KEY_DOWN);
}

}  // namespace

bool saverActive() { return saverMode == SaverMode::Run && exitRulesArmed && !saverState.checkingPassword; }

void requestClose() {
    saverState.closeRequested = 1;
    saverWindowCalls.postClose(saverState.window);
}

void beginPasswordCheck() {
    saverState.checkingPassword = 1;
    saverWindowCalls.refreshCursor(saverState.window);
}

void endPasswordCheck() {
    saverState.checkingPassword = 0;
    saverWindowCalls.refreshCursor(saverState.window);
    saverState.anchorCursor = cursorNow();
}

void onWindowCreated(void* window) {
    saverState.window = window;
    saverState.anchorCursor = cursorNow();
    saverState.startTime = platform.tickCount();
}

void onActivation(bool activating, const void* gaining) {
    if (saverActive() && !activating && !isSaverWindow(gaining)) requestClose();
}

void onKeyDown(uint32_t key) {
    // Flight keys act in every state; any other key ends an active saver.
    if (key >= KEY_1 && key <= KEY_9) flightInput.thrust = static_cast<float>(key - KEY_1) * 0.5f;
    else if (key == KEY_0) flightInput.thrust = 10.0f;
    else if (key == KEY_T) flightInput.thrust = 30.0f;
    else if (key == KEY_UP) flightInput.thrust = 5.0f;
    else if (key == KEY_DOWN) flightInput.thrust = -5.0f;
    else if (key == KEY_LEFT) flightInput.tilt = 1.0f;
    else if (key == KEY_RIGHT) flightInput.tilt = -1.0f;
    else if (key == KEY_P) {
        scene.pathPosition = 0;  // the tour restarts from its beginning
        saverSettings.AutoPilot = saverSettings.AutoPilot ? 0 : 1;
    }
    if (!isFlightKey(key) && saverActive()) requestClose();
}

void onKeyUp(uint32_t key) {
    if (key == KEY_LEFT || key == KEY_RIGHT) flightInput.tilt = 0.0f;
    else if (key == KEY_UP || key == KEY_DOWN) flightInput.thrust = 0.0f;
}

void onMouseMove() {
    if (!saverActive() || !saverSettings.AutoPilot) return;
    const CursorPoint now = cursorNow();
    // In 64 bits: two screen positions can differ by more than a 32-bit integer holds.
    const int64_t dx = std::llabs(static_cast<int64_t>(now.x) - saverState.anchorCursor.x);
    const int64_t dy = std::llabs(static_cast<int64_t>(now.y) - saverState.anchorCursor.y);
    if (dx <= MOUSE_TRAVEL_LIMIT && dy <= MOUSE_TRAVEL_LIMIT) return;
    saverState.anchorCursor = now;
    if (largeMoveCount > 2) {
        largeMoveCount = 0;
        requestClose();
    } else {
        ++largeMoveCount;
    }
}

void onButtonDown(int32_t button) {
    if (!saverActive()) return;
    flightInput.mouseButton = button;
    flightInput.steerCursor = cursorNow();
}

void onButtonUp() {
    if (saverActive()) flightInput.mouseButton = 0;
}

void onClose() {
    if (saverMode != SaverMode::Run) return;
    if (!saverState.closeRequested || saverState.checkingPassword) return;
    // Unsigned 32-bit elapsed time survives the tick count wrapping; the delay is compared in 64 bits
    // so that no stored delay overflows, and a negative delay counts as none.
    const uint32_t elapsed = platform.tickCount() - saverState.startTime;
    const int64_t delayMs = saverState.passwordDelay > 0 ? static_cast<int64_t>(saverState.passwordDelay) * 1000 : 0;
    if (static_cast<int64_t>(elapsed) <= delayMs) {
        saverWindowCalls.postQuit(saverState.window);
        return;
    }
    beginPasswordCheck();
    const int mayEnd = saverWindowCalls.verifyPassword(saverState.window);
    endPasswordCheck();
    if (mayEnd) saverWindowCalls.postQuit(saverState.window);
}

bool cursorHidden() { return saverActive(); }

bool coverCursorHidden() { return cursorHidden() && !saverSettings.ShowMouse; }

bool swallowsSystemCommand(uintptr_t command) { return command == 0xF140 || command == 0xF060; }
