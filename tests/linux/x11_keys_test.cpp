// X key symbols as the saver's key codes: the flight keys from the main keys and the keypad, and the
// keys that end the program.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "hack/hack_events.h"
#include "hack/x11/x11_keys.h"
#include "saver/saver_input.h"

namespace {

TEST(X11Keys, FlightKeysKeepTheirCodesFromEitherSpellingOrTheKeypad) {
    for (unsigned long k = 0; k <= 9; ++k) {
        EXPECT_EQ(saverKeyCode(XK_0 + k), KEY_0 + k);
        EXPECT_EQ(saverKeyCode(XK_KP_0 + k), KEY_0 + k);
    }
    EXPECT_EQ(saverKeyCode(XK_t), KEY_T);
    EXPECT_EQ(saverKeyCode(XK_T), KEY_T);
    EXPECT_EQ(saverKeyCode(XK_p), KEY_P);
    EXPECT_EQ(saverKeyCode(XK_P), KEY_P);
    EXPECT_EQ(saverKeyCode(XK_Left), KEY_LEFT);
    EXPECT_EQ(saverKeyCode(XK_KP_Right), KEY_RIGHT);
    EXPECT_EQ(saverKeyCode(XK_Up), KEY_UP);
    EXPECT_EQ(saverKeyCode(XK_KP_Down), KEY_DOWN);
}

TEST(X11Keys, EndingKeysAndEverythingElse) {
    EXPECT_EQ(saverKeyCode(XK_Escape), KEY_ESCAPE);
    EXPECT_EQ(saverKeyCode(XK_q), KEY_Q);
    EXPECT_EQ(saverKeyCode(XK_Q), KEY_Q);
    EXPECT_EQ(saverKeyCode(XK_a), uint32_t('A'));
    EXPECT_EQ(saverKeyCode(XK_z), uint32_t('Z'));
    const unsigned long others[] = {XK_space, XK_Return, XK_Shift_L, XK_F1, XK_KP_Enter, 0x1000041ul /* Unicode A */};
    for (unsigned long other : others)
        EXPECT_EQ(saverKeyCode(other), KEY_OTHER) << std::hex << other;
}

}  // namespace
