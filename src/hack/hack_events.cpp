#include "hack/hack_events.h"

#include "platform/platform.h"
#include "saver/saver_input.h"
#include "saver/saver_mode.h"
#include "saver/startup.h"
#include "scene/flight_input.h"

HackInput hackInput;

namespace {

// In a window of its own the saver's rules still fly, but what they would end it for (any key but
// the flight keys) does not end a window; only full screen takes their close.
void postClose(void*) {
    if (hackInput.target == HackTarget::FullScreen) hackInput.closePending = true;
}
void postQuit(void*) { hackInput.quit = true; }
void refreshCursor(void*) {}
// Locking belongs to XScreenSaver's daemon, which asks for the password itself: the hack may end.
int verifyPassword(void*) { return 1; }

// The pointer in window pixels, which is what the flight's cursor scales expect of a window's size.
bool hackCursorPosition(int32_t* x, int32_t* y) {
    *x = hackInput.pointerX;
    *y = hackInput.pointerY;
    return true;
}

bool takesInput(HackTarget target) { return target == HackTarget::OwnWindow || target == HackTarget::FullScreen; }

}  // namespace

int32_t saverButton(int32_t xButton) {
    switch (xButton) {
        case 1: return 1;
        case 2: return 3;
        case 3: return 2;
        default: return 0;
    }
}

void beginHackInput(HackTarget target, int32_t width, int32_t height, int32_t pointerX, int32_t pointerY) {
    hackInput = HackInput{};
    hackInput.target = target;
    hackInput.width = width;
    hackInput.height = height;
    hackInput.pointerX = pointerX;
    hackInput.pointerY = pointerY;
    saverWindowCalls.postClose = postClose;
    saverWindowCalls.postQuit = postQuit;
    saverWindowCalls.refreshCursor = refreshCursor;
    saverWindowCalls.verifyPassword = verifyPassword;
    platform.cursorPosition = hackCursorPosition;
    saverMode = SaverMode::Run;
    // The program's loop follows at once and no start-up message box can be up: the rules may act.
    exitRulesArmed = true;
    saverState = SaverState{};
    // The anchor for mouse travel and the start of the grace period: the window exists now.
    onWindowCreated(&hackInput);
}

bool hackPictureHidden() { return hackInput.unmapped || hackInput.covered; }

void handleHackEvent(const HackEvent& event) {
    // Whether the window shows matters for every target, whether it takes input or not.
    switch (event.kind) {
        case HackEvent::Mapped:
        case HackEvent::Unmapped:
            hackInput.unmapped = event.kind == HackEvent::Unmapped;
            return;
        case HackEvent::Covered:
        case HackEvent::Uncovered:
            hackInput.covered = event.kind == HackEvent::Covered;
            return;
        default:
            break;
    }
    if (event.kind == HackEvent::Resize) {
        if (event.x > 0 && event.y > 0 && (event.x != hackInput.width || event.y != hackInput.height)) {
            hackInput.width = event.x;
            hackInput.height = event.y;
            hackInput.resized = true;
        }
        return;
    }
    if (!takesInput(hackInput.target)) return;
    const bool window = hackInput.target == HackTarget::OwnWindow;
    switch (event.kind) {
        case HackEvent::KeyDown:
            if (window && (event.key == KEY_ESCAPE || event.key == KEY_Q)) hackInput.quit = true;
            else onKeyDown(event.key);
            break;
        case HackEvent::KeyUp:
            onKeyUp(event.key);
            break;
        case HackEvent::ButtonDown:
        case HackEvent::ButtonUp: {
            hackInput.pointerX = event.x;
            hackInput.pointerY = event.y;
            const int32_t button = saverButton(event.button);
            if (button == 0) break;
            if (event.kind == HackEvent::ButtonDown) onButtonDown(button);
            else onButtonUp();
            break;
        }
        case HackEvent::PointerMove:
            hackInput.pointerX = event.x;
            hackInput.pointerY = event.y;
            if (!window) onMouseMove();
            break;
        case HackEvent::CloseRequest:
            hackInput.quit = true;
            break;
        default:
            break;
    }
}

bool finishHackEvents() {
    if (hackInput.closePending) {
        hackInput.closePending = false;
        onClose();
    }
    return hackInput.quit;
}
