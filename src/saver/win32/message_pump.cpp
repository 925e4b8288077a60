#include "saver/win32/message_pump.h"

#include "saver/saver_windows.h"

bool handleSaverMessage(HWND window) {
    MSG message;
    if (!PeekMessageA(&message, window, 0, 0, PM_NOREMOVE)) return true;
    if (GetMessageA(&message, window, 0, 0) == 0) return false;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void waitForSaverMessage(HWND window) {
    // Each look marks all that waits as seen, and the wait sleeps until something new comes: what
    // waits for the saver's windows already must be handled first.
    MSG message;
    if (PeekMessageA(&message, window, 0, 0, PM_NOREMOVE)) return;
    for (uint32_t i = 0; i < saverCovers.count; ++i)
        if (PeekMessageA(&message, static_cast<HWND>(saverCovers.windows[i]), 0, 0, PM_NOREMOVE)) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
}
