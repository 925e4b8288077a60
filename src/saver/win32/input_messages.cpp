#include "saver/win32/input_messages.h"

#include <cstdint>

#include "saver/saver_input.h"

bool translateInputMessage(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_KEYDOWN:
            onKeyDown(static_cast<uint32_t>(wParam));
            return true;
        case WM_KEYUP:
            onKeyUp(static_cast<uint32_t>(wParam));
            return true;
        // The mouse rules read the cursor in screen pixels themselves: the same anchor on every monitor.
        case WM_MOUSEMOVE:
            onMouseMove();
            return true;
        case WM_LBUTTONDOWN:
            onButtonDown(1);
            return true;
        case WM_RBUTTONDOWN:
            onButtonDown(2);
            return true;
        case WM_MBUTTONDOWN:
            onButtonDown(3);
            return true;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            onButtonUp();
            return true;
        default:
            return false;
    }
}
