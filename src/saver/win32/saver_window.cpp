#include "saver/win32/saver_window.h"

#include "gl/window_system.h"
#include "platform/platform.h"
#include "saver/display_mode_switch.h"
#include "settings/saver_settings.h"

HINSTANCE moduleInstance = nullptr;
SaverWindowSystem saverWindowSystem = {RegisterClassA, CreateWindowExA};

namespace {

constexpr DWORD SAVER_WINDOW_STYLE = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;  // 0x96000000
const char* const SAVER_CLASS = "OpenGL";

bool registerSaverClass() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;  // one private device context for the window's whole life
    windowClass.lpfnWndProc = SaverWindowProc;
    windowClass.hInstance = moduleInstance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = SAVER_CLASS;
    return saverWindowSystem.registerClass(&windowClass) != 0;
}

}  // namespace

HWND createSaverWindow(const char* caption, int x, int y, int width, int height, bool switchMode) {
    if (!moduleInstance) {
        moduleInstance = GetModuleHandleA(nullptr);
        if (!registerSaverClass()) {
            platform.messageBox("RegisterClass() failed:  Cannot register window class.", "Error", MB_OK);
            return nullptr;
        }
    }
    HWND window = saverWindowSystem.createWindowEx(0, SAVER_CLASS, caption, SAVER_WINDOW_STYLE, x, y, width, height,
                                                   nullptr, nullptr, moduleInstance, nullptr);
    if (!window) {
        platform.messageBox("CreateWindow() failed:  Cannot create a window.", "Error", MB_OK);
        return nullptr;
    }
    // The window exists before the display changes; on failure it is left for the process exit.
    if (switchMode && !switchDisplayMode(width, height, saverSettings.ColorBits, saverSettings.Hertz)) return nullptr;

    HDC deviceContext = GetDC(window);
    sharedDeviceContext = deviceContext;
    const PixelFormatDescriptor descriptor = saverPixelFormat(saverSettings.ColorBits);
    const int format = choosePixelFormat(deviceContext, &descriptor);
    if (format != 0) setPixelFormat(deviceContext, format, &descriptor);
    // CS_OWNDC keeps the same context valid after the release.
    ReleaseDC(window, deviceContext);
    return window;
}
