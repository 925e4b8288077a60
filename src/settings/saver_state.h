#pragma once
// The record of the running saver that the exit rules use. It is owned by the entry; the settings
// store fills the password delay, the window procedure the rest. It lives here, beside the options,
// because both the store and the shell read it.
#include <cstdint>

struct CursorPoint {
    int32_t x = 0;  // screen pixels
    int32_t y = 0;
};

struct SaverState {
    void* window = nullptr;        // the saver window, once created
    int32_t passwordDelay = 5;     // seconds after start in which ending asks for no password
    CursorPoint anchorCursor;      // where mouse travel is measured from
    uint32_t startTime = 0;        // system tick count (ms) when the window was created
    int32_t checkingPassword = 0;  // set while the password dialog runs
    int32_t closeRequested = 0;    // set when the saver asked its own window to close
};
