#pragma once
// The saver window's rules: when the saver ends, the password check before it ends, and the flight
// input from keys and mouse buttons. The Win32 window procedure turns messages into these calls; the
// effects on the window go through saverWindowCalls, the time and cursor through the platform table.
#include <cstdint>

// What the rules ask of the window system.
struct SaverWindowCalls {
    void (*postClose)(void* window);       // queue a close message for the frame loop to dispatch
    void (*postQuit)(void* window);        // queue the quit message that ends the frame loop
    void (*refreshCursor)(void* window);   // run the cursor rule now (send the set-cursor message)
    int (*verifyPassword)(void* window);   // non-zero when the saver may end
};
extern SaverWindowCalls saverWindowCalls;

// Mouse moves beyond 100 pixels from the anchor, counted while the autopilot flies.
extern int32_t largeMoveCount;

// Virtual-key codes of the flight keys.
constexpr uint32_t KEY_LEFT = 0x25, KEY_UP = 0x26, KEY_RIGHT = 0x27, KEY_DOWN = 0x28;
constexpr uint32_t KEY_0 = 0x30, KEY_1 = 0x31, KEY_9 = 0x39, KEY_P = 0x50, KEY_T = 0x54;

constexpr int32_t MOUSE_TRAVEL_LIMIT = 100;  // pixels

// Set by the run start-up just before the frame loop and cleared after it. Until then the exit rules
// are silent: a start-up error box takes the activation from the saver window, and that must not close
// the box (its modal loop would end on the saver's own quit message before anyone could read it).
extern bool exitRulesArmed;

// Active: the saver runs, its frame loop has started and no password check is under way.
bool saverActive();

void requestClose();
void beginPasswordCheck();
void endPasswordCheck();

void onWindowCreated(void* window);
// Activation messages of the saver window and its covers: `activating` is false when the window or the
// application loses activation; `gaining` is the window that takes it, when the system names one (null
// when it does not, or when the whole application loses it). The activation moving to another of the
// saver's own windows is not the user leaving.
void onActivation(bool activating, const void* gaining = nullptr);
void onKeyDown(uint32_t key);
void onKeyUp(uint32_t key);
void onMouseMove();
// button: 1 left, 2 right, 3 middle.
void onButtonDown(int32_t button);
void onButtonUp();
// The close message: ends the saver only when the saver asked for it, after the password check that
// the grace period calls for.
void onClose();
// The cursor rule: hidden while active, the arrow while a password check runs.
bool cursorHidden();
// Over a cover the same rule, except that ShowMouse keeps the cursor visible there.
bool coverCursorHidden();
// System commands that the saver swallows: starting a screen saver and the system close command.
bool swallowsSystemCommand(uintptr_t command);
