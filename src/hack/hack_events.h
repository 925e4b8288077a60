#pragma once
// The Linux front end's input rules: how keys, buttons, pointer moves, a close request and a new
// window size reach the saver's own input and exit rules, for each way the program shows its picture.
// The X11 code turns its events into HackEvent values; nothing here knows about X11.
#include <cstdint>

#include "hack/hack_options.h"

// Key codes beside the saver's flight keys (saver/saver_input.h), in the same virtual-key numbering.
constexpr uint32_t KEY_ESCAPE = 0x1B;
constexpr uint32_t KEY_Q = 0x51;
constexpr uint32_t KEY_OTHER = 0xFF;  // any key without a meaning of its own

struct HackEvent {
    enum Kind {
        KeyDown, KeyUp, ButtonDown, ButtonUp, PointerMove, CloseRequest, Resize,
        Mapped, Unmapped, Covered, Uncovered  // whether the window shows: on the screen, covered whole
    } kind;
    uint32_t key = 0;     // KeyDown, KeyUp: virtual-key code
    int32_t button = 0;   // ButtonDown, ButtonUp: 1 left, 2 middle, 3 right, as X numbers them
    int32_t x = 0, y = 0; // window pixels, origin top left (pointer events); size for Resize
};

// The state the rules keep between events. One instance per running program.
struct HackInput {
    HackTarget target = HackTarget::OwnWindow;
    bool quit = false;           // the program should end
    bool closePending = false;   // the saver's rules asked to close; handled once per frame
    bool resized = false;        // a new size waits to be applied before the next frame
    int32_t width = 0, height = 0;
    int32_t pointerX = 0, pointerY = 0;  // last known pointer position, window pixels
    bool unmapped = false;       // off the screen: minimised, or unmapped by whoever made it
    bool covered = false;        // other windows cover every pixel of it
};
extern HackInput hackInput;

// Connects the saver's window calls (close, quit, password) to hackInput and resets it for `target`,
// with the window's first size and the pointer where it is. Call before the saver's rules run.
void beginHackInput(HackTarget target, int32_t width, int32_t height, int32_t pointerX, int32_t pointerY);

// Passes one event to the rules. Windows: only Escape, q and closing end the program, flight keys and
// buttons fly, moves never end it. Full screen: every key reaches the saver's rules (any key but the
// flight keys ends it, as do four large moves on the autopilot). Root and given windows: no input
// arrives, but a resize still counts.
void handleHackEvent(const HackEvent& event);

// True while nothing of the window can be seen: then no frame is drawn and no tick runs. Any part of
// it shown counts as seen.
bool hackPictureHidden();

// Runs the saver's close handling when its rules asked for it (once per frame, as the Windows message
// loop dispatches the posted close). Returns true when the program should end.
bool finishHackEvents();

// Maps an X button number to the saver's (1 left, 2 right, 3 middle); 0 for wheel and other buttons.
int32_t saverButton(int32_t xButton);
