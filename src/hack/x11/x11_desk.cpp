#include "hack/x11/x11_desk.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

namespace {

Display* deskDisplay = nullptr;

uint32_t listRandrMonitors(MonitorArea* monitors, uint32_t capacity) {
    Display* display = deskDisplay;
    if (!display || capacity == 0) return 0;
    const Window root = DefaultRootWindow(display);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    uint32_t count = 0;
    if (XRRQueryExtension(display, &eventBase, &errorBase) && XRRQueryVersion(display, &major, &minor) &&
        (major > 1 || (major == 1 && minor >= 5))) {
        int listed = 0;
        XRRMonitorInfo* info = XRRGetMonitors(display, root, True, &listed);
        for (int i = 0; info && i < listed && count < capacity; ++i)
            monitors[count++] = MonitorArea{info[i].x, info[i].y, info[i].x + info[i].width,
                                            info[i].y + info[i].height, info[i].primary != 0};
        if (info) XRRFreeMonitors(info);
    }
    if (count == 0) {
        const int screen = DefaultScreen(display);
        monitors[count++] = MonitorArea{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen), true};
    }
    return count;
}

}  // namespace

void listMonitorsOf(Display* display) {
    deskDisplay = display;
    platform.listMonitors = listRandrMonitors;
}

MonitorArea rootRectangle(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) return MonitorArea{};
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child);
    return MonitorArea{x, y, x + attributes.width, y + attributes.height, false};
}

bool blankingSince(Display* display, int64_t* seconds) {
    const Atom status = XInternAtom(display, "_SCREENSAVER_STATUS", True);
    if (status == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const int read = XGetWindowProperty(display, DefaultRootWindow(display), status, 0, 2, False, AnyPropertyType,
                                        &type, &format, &items, &after, &data);
    // CARD32 values arrive as longs. The first says whether the daemon blanks (0 when it does not).
    bool blanking = false;
    if (read == Success && data && format == 32 && items >= 2) {
        const long* values = reinterpret_cast<const long*>(data);
        blanking = values[0] != 0 && values[1] > 0;
        if (blanking) *seconds = static_cast<int64_t>(static_cast<unsigned long>(values[1]) & 0xFFFFFFFFul);
    }
    if (data) XFree(data);
    return blanking;
}
