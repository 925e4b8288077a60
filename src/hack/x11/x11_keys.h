#pragma once
// X key symbols as the saver's virtual-key codes (saver/saver_input.h, hack/hack_events.h).
#include <cstdint>

// `keysym` is an X KeySym. Digits, T, P, the arrows (also on the keypad), Escape and q keep their
// meaning; other letters map to their capitals; everything else to KEY_OTHER.
uint32_t saverKeyCode(unsigned long keysym);
