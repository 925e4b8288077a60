#include "saver/win32/monitor_covers.h"

#include "gl/gl_api.h"
#include "gl/window_system.h"
#include "platform/platform.h"
#include "render/frame_views.h"
#include "saver/saver_input.h"
#include "saver/saver_windows.h"
#include "saver/win32/input_messages.h"
#include "saver/win32/message_pump.h"
#include "saver/win32/saver_window.h"
#include "settings/saver_settings.h"

const char* const COVER_CLASS = "OrbitariumCover";

namespace {

// No caption or border; topmost over every other window; a tool window, so no task list shows it.
constexpr DWORD COVER_STYLE = WS_POPUP;
constexpr DWORD COVER_EXTENDED_STYLE = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;

bool coverClassRegistered = false;

bool registerCoverClass(HINSTANCE instance) {
    if (coverClassRegistered) return true;
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;  // a device context of its own for its view
    windowClass.lpfnWndProc = CoverWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));  // the whole paint
    windowClass.lpszClassName = COVER_CLASS;
    coverClassRegistered = saverWindowSystem.registerClass(&windowClass) != 0;
    return coverClassRegistered;
}

}  // namespace

uint32_t placeMonitorCovers() {
    MonitorArea areas[MAX_COVERS];
    const uint32_t wanted = coverAreas(areas);
    if (wanted == 0) return 0;  // one monitor: not even a class more
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registerCoverClass(instance)) return 0;
    for (uint32_t i = 0; i < wanted && saverCovers.count < MAX_COVERS; ++i) {
        const MonitorArea& area = areas[i];
        // Made hidden: a window shown at its creation would take the activation from the saver's.
        HWND cover = saverWindowSystem.createWindowEx(COVER_EXTENDED_STYLE, COVER_CLASS, "", COVER_STYLE, area.left,
                                                      area.top, area.right - area.left, area.bottom - area.top,
                                                      nullptr, nullptr, instance, nullptr);
        if (cover) saverCovers.windows[saverCovers.count++] = cover;
    }
    return saverCovers.count;
}

void showMonitorCovers() {
    for (uint32_t i = 0; i < saverCovers.count; ++i) {
        HWND cover = static_cast<HWND>(saverCovers.windows[i]);
        ShowWindow(cover, SW_SHOWNOACTIVATE);
        UpdateWindow(cover);  // black now, before the saver's first frame
    }
}

uint32_t addMonitorViews() {
    frameViews = FrameViews{};
    // One monitor, or a driver that draws full screen on a card of its own: the frame of one view.
    if (saverCovers.count == 0 || glApi.driverPixelFormat) return 0;
    const float width = saverSettings.ScrWidth, height = saverSettings.ScrHeight;
    addFrameView(sharedDeviceContext, 0, 0, width, height,
                 MonitorArea{0, 0, truncatePixels(width), truncatePixels(height), true});
    uint32_t views = 0;
    const PixelFormatDescriptor descriptor = saverPixelFormat(saverSettings.ColorBits);
    for (uint32_t i = 0; i < saverCovers.count; ++i) {
        HWND cover = static_cast<HWND>(saverCovers.windows[i]);
        RECT area{};
        GetWindowRect(cover, &area);
        HDC deviceContext = GetDC(cover);  // the class's own: valid for the cover's whole life
        // The system's own calls: a cover that refuses them stays black, and never turns the whole
        // saver over to the driver's pixel-format calls as the saver window's failure would.
        const int format = platform.systemChoosePixelFormat(deviceContext, &descriptor);
        if (format == 0 || !platform.systemSetPixelFormat(deviceContext, format, &descriptor) ||
            !makeContextCurrent(deviceContext, renderingContext))
            continue;
        if (addFrameView(deviceContext, 0, 0, width, height, MonitorArea{area.left, area.top, area.right, area.bottom, false}))
            ++views;
    }
    makeContextCurrent(sharedDeviceContext, renderingContext);
    // No cover drawn: the primary's frame alone, as on one monitor.
    if (views == 0) frameViews.count = 0;
    return views;
}

void destroyMonitorCovers() {
    frameViews = FrameViews{};
    // Emptied first: the destroy messages then meet no cover of the saver's in the list.
    const SaverCovers made = saverCovers;
    saverCovers = SaverCovers{};
    for (uint32_t i = 0; i < made.count; ++i) DestroyWindow(static_cast<HWND>(made.windows[i]));
}

bool handleCoverMessages() {
    for (uint32_t i = 0; i < saverCovers.count; ++i)
        if (!handleSaverMessage(static_cast<HWND>(saverCovers.windows[i]))) return false;
    return true;
}

LRESULT CALLBACK CoverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        // A click on a cover leaves the activation, and with it the keyboard, with the saver window.
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        // Should a cover become active all the same, its losing the activation counts like the saver
        // window's. The application losing it reaches the saver window's own WM_ACTIVATEAPP, which every
        // top-level window of the thread receives: acting on it here too would only ask to close again.
        case WM_ACTIVATE:
        case WM_NCACTIVATE:
            onActivation(LOWORD(wParam) != 0, reinterpret_cast<void*>(lParam));
            break;
        // Only the saver's own close ends the saver; nothing closes a cover but the saver.
        case WM_CLOSE:
            return 0;
        case WM_SETCURSOR:
            SetCursor(coverCursorHidden() ? nullptr : LoadCursorA(nullptr, IDC_ARROW));
            return TRUE;  // the class cursor must not come back through the default handling
        case WM_SYSCOMMAND:
            if (swallowsSystemCommand(wParam)) return 0;
            break;
        default:
            translateInputMessage(message, wParam);
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
