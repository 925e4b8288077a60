#include "hack/x11/x11_window.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "hack/hack_events.h"
#include "hack/monitor_layout.h"
#include "hack/x11/x11_desk.h"
#include "hack/x11/x11_keys.h"
#include "saver/saver_windows.h"

namespace {

bool failed = false;
// The connection closeX11 leaves open, until the process ends.
Display* keptOpen = nullptr;

// The daemon may destroy its window before the hack has seen SIGTERM: an error about it ends the
// program quietly instead of through Xlib's default handler, which exits with 1.
int noteError(Display*, XErrorEvent*) {
    failed = true;
    return 0;
}

const long INPUT_EVENTS = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask;

bool fail(const char* message) {
    std::fprintf(stderr, "orbitarium: %s\n", message);
    return false;
}

// Xlib calls this when the connection is gone and ends the process when it returns; nothing drawn
// or owned can be tidied any more, so the process ends here, without the exit handlers of a GL driver
// whose connection is dead.
int lostDisplay(Display* display) {
    std::fprintf(stderr, "orbitarium: lost the connection to the X display %s\n", DisplayString(display));
    std::fflush(stderr);
    _exit(1);
}

// A GL visual of `depth` bits on the screen for the pixmap the frames are drawn into: RGBA with a
// depth buffer, single-buffered where one is offered (a pixmap has no back buffer to show).
bool choosePixmapVisual(X11Session* s, int screen, int depth) {
    XVisualInfo wanted{};
    wanted.screen = screen;
    wanted.depth = depth;
    int count = 0;
    XVisualInfo* list = XGetVisualInfo(s->display, VisualScreenMask | VisualDepthMask, &wanted, &count);
    int chosen = -1;
    for (int i = 0; i < count; ++i) {
        bool doubleBuffered = false;
        if (!glxVisualUsable(s->display, &list[i], &doubleBuffered)) continue;
        if (chosen < 0 || !doubleBuffered) chosen = i;
        if (!doubleBuffered) break;
    }
    if (chosen >= 0) s->pixmapVisual = list[chosen];
    if (list) XFree(list);
    return chosen >= 0;
}

// A window made by someone else (the root, XScreenSaver's, a settings preview): whatever its visual,
// the frames go to a pixmap of ours with a GL visual of the window's depth and are copied into it.
X11Open attachGivenWindow(const HackOptions& options, X11Session* s) {
    s->window = options.windowId ? options.windowId : DefaultRootWindow(s->display);
    XWindowAttributes attributes;
    const bool exists = XGetWindowAttributes(s->display, s->window, &attributes) != 0;
    // Only its size and its end: input belongs to whoever made the window.
    if (exists) XSelectInput(s->display, s->window, StructureNotifyMask);
    XSync(s->display, False);
    if (!exists || failed) {
        std::fprintf(stderr, "orbitarium: the window 0x%lx does not exist (any more)\n", s->window);
        return X11Open::WindowGone;
    }
    s->width = attributes.width;
    s->height = attributes.height;
    s->shownWindows[0] = s->window;
    s->shownOnRoot[0] = s->pixmapOnRoot = rootRectangle(s->display, s->window);
    s->shownCount = 1;
    const int screen = XScreenNumberOfScreen(attributes.screen);
    if (!choosePixmapVisual(s, screen, attributes.depth)) {
        std::fprintf(stderr, "orbitarium: the display offers no OpenGL visual of the window's depth (%d bits)\n",
                     attributes.depth);
        return X11Open::Failed;
    }
    // Made on the root, which never goes away, so that it exists even if the window is already gone.
    s->pixmap = XCreatePixmap(s->display, RootWindow(s->display, screen), static_cast<unsigned>(s->width),
                              static_cast<unsigned>(s->height), static_cast<unsigned>(attributes.depth));
    s->copyGc = XCreateGC(s->display, s->pixmap, 0, nullptr);
    s->surface.display = s->display;
    if (!glxAttachPixmap(&s->surface, &s->pixmapVisual, s->pixmap)) {
        std::fprintf(stderr, "orbitarium: cannot make an OpenGL context for the window\n");
        return X11Open::Failed;
    }
    return X11Open::Ready;
}

void blankCursorOn(X11Session* s, Window window) {
    if (!s->blankCursor) {
        const char empty[8] = {};
        Pixmap pixmap = XCreateBitmapFromData(s->display, window, empty, 8, 8);
        XColor black{};
        s->blankCursor = XCreatePixmapCursor(s->display, pixmap, pixmap, &black, &black, 0, 0);
        XFreePixmap(s->display, pixmap);
    }
    XDefineCursor(s->display, window, s->blankCursor);
}

// A top-level window of ours at `area` (root pixels): titled, closable, and, for full screen, with
// the window manager asked to cover the monitor with it. Mapped and on the screen when it returns.
Window makeTopLevel(X11Session* s, Visual* visual, int depth, Colormap colormap, const MonitorArea& area,
                    bool fullScreen) {
    const int screen = DefaultScreen(s->display);
    XSetWindowAttributes attributes{};
    attributes.colormap = colormap;
    attributes.background_pixel = BlackPixel(s->display, screen);
    attributes.border_pixel = 0;
    attributes.event_mask = INPUT_EVENTS | StructureNotifyMask | ExposureMask | VisibilityChangeMask;
    const Window window = XCreateWindow(s->display, RootWindow(s->display, screen), area.left, area.top,
                                        static_cast<unsigned>(area.right - area.left),
                                        static_cast<unsigned>(area.bottom - area.top), 0, depth, InputOutput,
                                        visual, CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
    if (!window) return 0;
    XStoreName(s->display, window, "Orbitarium");
    XClassHint hint{const_cast<char*>("orbitarium"), const_cast<char*>("Orbitarium")};
    XSetClassHint(s->display, window, &hint);
    XSetWMProtocols(s->display, window, &s->deleteWindow, 1);
    if (fullScreen) {
        // Placed by us: a window manager puts a full-screen window on the monitor it was made over.
        XSizeHints place{};
        place.flags = USPosition | USSize;
        place.x = area.left;
        place.y = area.top;
        place.width = area.right - area.left;
        place.height = area.bottom - area.top;
        XSetWMNormalHints(s->display, window, &place);
        Atom state = XInternAtom(s->display, "_NET_WM_STATE", False);
        Atom full = XInternAtom(s->display, "_NET_WM_STATE_FULLSCREEN", False);
        XChangeProperty(s->display, window, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&full), 1);
    }
    XMapRaised(s->display, window);
    // Wait until the window is on the screen, so that focus and the first frame land on it.
    for (XEvent event;;) {
        XWindowEvent(s->display, window, StructureNotifyMask, &event);
        if (event.type == MapNotify) break;
    }
    return window;
}

void finishOwnWindows(const HackOptions& options, X11Session* s) {
    if (options.target == HackTarget::FullScreen) XSetInputFocus(s->display, s->window, RevertToParent, CurrentTime);
    // Held keys repeat as presses only, so a held arrow keeps flying.
    XkbSetDetectableAutoRepeat(s->display, True, nullptr);
    if (options.showMouse) return;
    blankCursorOn(s, s->window);
    for (uint32_t i = 1; i < s->shownCount; ++i) blankCursorOn(s, s->shownWindows[i]);
}

// A window of our own with the driver's visual and a GLX context on it: the size asked for, or, for
// full screen on one monitor, the size of the screen.
bool makeOwnWindow(const HackOptions& options, X11Session* s) {
    const int screen = DefaultScreen(s->display);
    XVisualInfo* visual = static_cast<XVisualInfo*>(glxChooseVisual(s->display, screen));
    if (!visual) return fail("the display offers no double-buffered OpenGL visual");
    const bool fullScreen = options.target == HackTarget::FullScreen;
    s->width = fullScreen ? DisplayWidth(s->display, screen) : options.width;
    s->height = fullScreen ? DisplayHeight(s->display, screen) : options.height;
    s->colormap = XCreateColormap(s->display, RootWindow(s->display, screen), visual->visual, AllocNone);
    s->window = makeTopLevel(s, visual->visual, visual->depth, s->colormap, MonitorArea{0, 0, s->width, s->height},
                             fullScreen);
    s->surface.display = s->display;
    s->surface.drawable = s->window;
    const bool attached = s->window && glxAttach(&s->surface, visual);
    XFree(visual);
    if (!s->window) return fail("cannot make a window");
    finishOwnWindows(options, s);
    return attached || fail("cannot make an OpenGL context on the window");
}

// Full screen over several monitors: a window of the screen's own visual over each (the primary's
// first, taking the focus), and one GLX pixmap of their bounding box that every frame is drawn into
// once, each window's part then copied into it. One context, one pass a frame, whatever the count.
bool coverEveryMonitor(const HackOptions& options, X11Session* s, const MonitorArea& primary,
                       const MonitorArea* others, uint32_t otherCount) {
    const int screen = DefaultScreen(s->display);
    const int depth = DefaultDepth(s->display, screen);
    if (!choosePixmapVisual(s, screen, depth))
        return fail("the display offers no OpenGL visual of the screen's depth");
    s->shownOnRoot[0] = primary;
    s->shownCount = 1;
    for (uint32_t i = 0; i < otherCount && s->shownCount < X11Session::MAX_WINDOWS; ++i)
        s->shownOnRoot[s->shownCount++] = others[i];
    for (uint32_t i = 0; i < s->shownCount; ++i) {
        s->shownWindows[i] = makeTopLevel(s, DefaultVisual(s->display, screen), depth,
                                          DefaultColormap(s->display, screen), s->shownOnRoot[i], true);
        if (!s->shownWindows[i]) {
            s->shownCount = i;
            return fail("cannot make a window");
        }
    }
    s->window = s->shownWindows[0];
    finishOwnWindows(options, s);
    s->pixmapOnRoot = boundingBox(s->shownOnRoot, s->shownCount);
    s->width = s->pixmapOnRoot.right - s->pixmapOnRoot.left;
    s->height = s->pixmapOnRoot.bottom - s->pixmapOnRoot.top;
    s->pixmap = XCreatePixmap(s->display, RootWindow(s->display, screen), static_cast<unsigned>(s->width),
                              static_cast<unsigned>(s->height), static_cast<unsigned>(depth));
    s->copyGc = XCreateGC(s->display, s->pixmap, 0, nullptr);
    s->surface.display = s->display;
    return glxAttachPixmap(&s->surface, &s->pixmapVisual, s->pixmap) ||
           fail("cannot make an OpenGL context for the windows");
}

// Our own window or windows: full screen covers every monitor but a mirror of another.
bool makeOwnWindows(const HackOptions& options, X11Session* s) {
    s->ownWindow = true;
    s->deleteWindow = XInternAtom(s->display, "WM_DELETE_WINDOW", False);
    s->drawnAtom = XInternAtom(s->display, "_ORBITARIUM_DRAWN", False);
    if (options.target == HackTarget::FullScreen) {
        MonitorArea monitors[X11Session::MAX_WINDOWS];
        const uint32_t count = platform.listMonitors(monitors, X11Session::MAX_WINDOWS);
        const uint32_t primary = primaryIndex(monitors, count);
        MonitorArea others[MAX_COVERS];
        const uint32_t otherCount = coverAreas(others);
        if (primary < count && otherCount > 0)
            return coverEveryMonitor(options, s, monitors[primary], others, otherCount);
    }
    return makeOwnWindow(options, s);
}

}  // namespace

bool x11Failed() { return failed; }

X11Open openX11(const HackOptions& options, X11Session* s) {
    failed = false;
    s->display = XOpenDisplay(nullptr);
    if (!s->display) {
        const char* name = XDisplayName(nullptr);
        if (!*name) return fail("cannot open the X display: DISPLAY is not set"), X11Open::Failed;
        std::fprintf(stderr, "orbitarium: cannot open the X display %s\n", name);
        return X11Open::Failed;
    }
    XSetErrorHandler(noteError);
    XSetIOErrorHandler(lostDisplay);
    listMonitorsOf(s->display);
    if (options.target == HackTarget::OwnWindow || options.target == HackTarget::FullScreen) {
        if (!makeOwnWindows(options, s)) return X11Open::Failed;
    } else {
        const X11Open given = attachGivenWindow(options, s);
        if (given != X11Open::Ready) return given;
    }
    Window rootReturn, childReturn;
    int rootX = 0, rootY = 0;
    unsigned int buttons = 0;
    XQueryPointer(s->display, s->window, &rootReturn, &childReturn, &rootX, &rootY, &s->pointerX, &s->pointerY,
                  &buttons);
    return X11Open::Ready;
}

void closeX11(X11Session* s) {
    if (!s->display) return;
    glxDetach(&s->surface);
    if (s->pixmap) XFreePixmap(s->display, s->pixmap);
    if (s->copyGc) XFreeGC(s->display, s->copyGc);
    if (s->ownWindow) {
        for (uint32_t i = 0; i < s->shownCount; ++i)
            if (s->shownWindows[i] != s->window) XDestroyWindow(s->display, s->shownWindows[i]);
        if (s->window) XDestroyWindow(s->display, s->window);
    }
    if (s->blankCursor) XFreeCursor(s->display, s->blankCursor);
    if (s->colormap) XFreeColormap(s->display, s->colormap);
    // The connection stays open until the process ends (the server tidies up after it): closing it
    // unloads the GL driver, which keeps a few allocations for the life of the display.
    XSync(s->display, False);
    keptOpen = s->display;
    s->display = nullptr;
}

namespace {

void publishDrawn(X11Session* s) {
    long value[3] = {s->drawnWidth, s->drawnHeight, s->framesAtSize};
    XChangeProperty(s->display, s->window, s->drawnAtom, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(value), 3);
    XFlush(s->display);
}

}  // namespace

void noteFrameShown(X11Session* s, int width, int height) {
    if (!s->ownWindow || !s->drawnAtom) return;
    if (width != s->drawnWidth || height != s->drawnHeight) {
        s->drawnWidth = width;
        s->drawnHeight = height;
        s->framesAtSize = 0;
    }
    if (s->framesAtSize >= 2) return;
    ++s->framesAtSize;
    // Sent after the swap on the same connection, so the server has the picture before the property.
    publishDrawn(s);
}

void noteResting(X11Session* s) {
    if (!s->ownWindow || !s->drawnAtom) return;
    s->framesAtSize = 0;
    publishDrawn(s);
}

void presentX11Frame(X11Session* s) {
    if (!s->pixmap) {
        glxPresent(&s->surface);
        return;
    }
    glxFinishPixmap();
    for (uint32_t i = 0; i < s->shownCount; ++i) {
        const MonitorArea& shown = s->shownOnRoot[i];
        XCopyArea(s->display, s->pixmap, s->shownWindows[i], s->copyGc, shown.left - s->pixmapOnRoot.left,
                  shown.top - s->pixmapOnRoot.top, static_cast<unsigned>(shown.right - shown.left),
                  static_cast<unsigned>(shown.bottom - shown.top), 0, 0);
    }
    XFlush(s->display);
}

void resizeX11Drawing(X11Session* s, int width, int height) {
    if (width == s->width && height == s->height) return;
    s->width = width;
    s->height = height;
    if (!s->pixmap) return;
    const Pixmap next = XCreatePixmap(s->display, RootWindow(s->display, s->pixmapVisual.screen),
                                      static_cast<unsigned>(width), static_cast<unsigned>(height),
                                      static_cast<unsigned>(s->pixmapVisual.depth));
    if (!glxRetargetPixmap(&s->surface, &s->pixmapVisual, next)) {
        XFreePixmap(s->display, next);
        return;
    }
    XFreePixmap(s->display, s->pixmap);
    s->pixmap = next;
    s->shownOnRoot[0] = s->pixmapOnRoot = rootRectangle(s->display, s->window);
}

namespace {

bool coversSeveral(const X11Session* s) { return s->ownWindow && s->shownCount > 1; }

// Pointer positions in the primary window's pixels: over several monitors, wherever the pointer is.
void pointerAt(const X11Session* s, int x, int y, int rootX, int rootY, HackEvent* event) {
    event->x = coversSeveral(s) ? rootX - s->shownOnRoot[0].left : x;
    event->y = coversSeveral(s) ? rootY - s->shownOnRoot[0].top : y;
}

}  // namespace

void pumpX11Events(X11Session* s) {
    while (XPending(s->display)) {
        XEvent x;
        XNextEvent(s->display, &x);
        HackEvent event{HackEvent::KeyDown};
        switch (x.type) {
            case KeyPress:
            case KeyRelease:
                event.kind = x.type == KeyPress ? HackEvent::KeyDown : HackEvent::KeyUp;
                event.key = saverKeyCode(XLookupKeysym(&x.xkey, 0));
                break;
            case ButtonPress:
            case ButtonRelease:
                event.kind = x.type == ButtonPress ? HackEvent::ButtonDown : HackEvent::ButtonUp;
                event.button = static_cast<int32_t>(x.xbutton.button);
                pointerAt(s, x.xbutton.x, x.xbutton.y, x.xbutton.x_root, x.xbutton.y_root, &event);
                break;
            case MotionNotify:
                event.kind = HackEvent::PointerMove;
                pointerAt(s, x.xmotion.x, x.xmotion.y, x.xmotion.x_root, x.xmotion.y_root, &event);
                break;
            case DestroyNotify:
                if (x.xdestroywindow.window == s->window) failed = true;
                continue;
            case ConfigureNotify:
                // Windows over several monitors keep the monitors' places and the pixmap its size.
                if (x.xconfigure.window != s->window || coversSeveral(s)) continue;
                event.kind = HackEvent::Resize;
                event.x = x.xconfigure.width;
                event.y = x.xconfigure.height;
                break;
            case MapNotify:
            case UnmapNotify:
                if (x.xany.window != s->window) continue;
                event.kind = x.type == MapNotify ? HackEvent::Mapped : HackEvent::Unmapped;
                break;
            case VisibilityNotify: {
                // Partly covered still shows a part of the picture; so does one window of several.
                uint32_t index = 0;
                while (index < s->shownCount && s->shownWindows[index] != x.xvisibility.window) ++index;
                if (index >= 32) continue;
                const uint32_t bit = 1u << index;
                s->coveredWindows = x.xvisibility.state == VisibilityFullyObscured ? s->coveredWindows | bit
                                                                                   : s->coveredWindows & ~bit;
                const uint32_t all = s->shownCount > 1 ? (1u << s->shownCount) - 1 : 1u;
                event.kind = (s->coveredWindows & all) == all ? HackEvent::Covered : HackEvent::Uncovered;
                break;
            }
            case ClientMessage:
                if (static_cast<Atom>(x.xclient.data.l[0]) != s->deleteWindow || !s->deleteWindow) continue;
                event.kind = HackEvent::CloseRequest;
                break;
            default:
                continue;
        }
        handleHackEvent(event);
    }
}
