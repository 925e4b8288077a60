#include "hack/x11/x11_keys.h"

#include <X11/keysym.h>

#include "hack/hack_events.h"
#include "saver/saver_input.h"

uint32_t saverKeyCode(unsigned long keysym) {
    if (keysym >= XK_0 && keysym <= XK_9) return KEY_0 + static_cast<uint32_t>(keysym - XK_0);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return KEY_0 + static_cast<uint32_t>(keysym - XK_KP_0);
    if (keysym >= XK_a && keysym <= XK_z) return 'A' + static_cast<uint32_t>(keysym - XK_a);
    if (keysym >= XK_A && keysym <= XK_Z) return 'A' + static_cast<uint32_t>(keysym - XK_A);
    switch (keysym) {
        case XK_Left: case XK_KP_Left: return KEY_LEFT;
        case XK_Up: case XK_KP_Up: return KEY_UP;
        case XK_Right: case XK_KP_Right: return KEY_RIGHT;
        case XK_Down: case XK_KP_Down: return KEY_DOWN;
        case XK_Escape: return KEY_ESCAPE;
        default: return KEY_OTHER;
    }
}
