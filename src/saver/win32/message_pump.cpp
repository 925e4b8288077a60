#include "saver/win32/message_pump.h"

bool handleSaverMessage(HWND window) {
    MSG message;
    if (!PeekMessageA(&message, window, 0, 0, PM_NOREMOVE)) return true;
    if (GetMessageA(&message, window, 0, 0) == 0) return false;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}
