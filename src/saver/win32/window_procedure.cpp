// The saver window's procedure: turns Windows messages into the saver's input rules and back.
#include "gl/window_system.h"
#include "saver/password_hooks.h"
#include "saver/saver_input.h"
#include "saver/win32/display_power.h"
#include "saver/win32/input_messages.h"
#include "saver/win32/saver_window.h"

namespace {

void postClose(void* window) { PostMessageA(static_cast<HWND>(window), WM_CLOSE, 0, 0); }
// The quit message goes to the window, whose filtered message loop is the only one that runs.
void postQuit(void* window) { PostMessageA(static_cast<HWND>(window), WM_QUIT, 0, 0); }
void refreshCursor(void* window) { SendMessageA(static_cast<HWND>(window), WM_SETCURSOR, 0, 0); }

}  // namespace

void connectSaverWindowCalls() {
    saverWindowCalls.postClose = postClose;
    saverWindowCalls.postQuit = postQuit;
    saverWindowCalls.refreshCursor = refreshCursor;
    saverWindowCalls.verifyPassword = verifySaverPassword;
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onWindowCreated(window);
            break;
        case WM_DESTROY:
            makeContextCurrent(nullptr, nullptr);
            if (renderingContext) {
                deleteRenderingContext(renderingContext);
                renderingContext = nullptr;
            }
            if (sharedDeviceContext) {
                ReleaseDC(window, static_cast<HDC>(sharedDeviceContext));
                sharedDeviceContext = nullptr;
            }
            PostQuitMessage(0);
            break;
        // WM_ACTIVATE names the window that takes the activation in lParam, and so does WM_NCACTIVATE
        // where the system passes one (any other value there is none of the saver's windows). The
        // application losing the activation is the user leaving, whichever window takes it.
        case WM_ACTIVATE:
        case WM_NCACTIVATE:
            onActivation(LOWORD(wParam) != 0, reinterpret_cast<void*>(lParam));
            break;
        case WM_ACTIVATEAPP:
            onActivation(LOWORD(wParam) != 0);
            break;
        case WM_CLOSE:
            onClose();
            return 0;
        case WM_SETCURSOR:
            SetCursor(cursorHidden() ? nullptr : LoadCursorA(nullptr, IDC_ARROW));
            break;
        case WM_SYSCOMMAND:
            if (swallowsSystemCommand(wParam)) return 0;
            break;
        case WM_POWERBROADCAST:
            onPowerBroadcast(wParam, lParam);
            break;
        default:
            translateInputMessage(message, wParam);
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
