#include "hack/x11/x11_window.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>

#include <cstdio>
#include <cstring>

#include "hack/hack_events.h"
#include "hack/x11/x11_keys.h"

namespace {

bool failed = false;

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

// The visual of a window made by someone else, if GLX can draw on it.
XVisualInfo* visualOfWindow(X11Session* s) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(s->display, s->window, &attributes)) return nullptr;
    s->width = attributes.width;
    s->height = attributes.height;
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo* info = XGetVisualInfo(s->display, VisualIDMask, &wanted, &count);
    bool doubleBuffered = false;
    if (info && !glxVisualUsable(s->display, info, &doubleBuffered)) {
        XFree(info);
        return nullptr;
    }
    return info;
}

void makeBlankCursor(X11Session* s) {
    const char empty[8] = {};
    Pixmap pixmap = XCreateBitmapFromData(s->display, s->window, empty, 8, 8);
    XColor black{};
    s->blankCursor = XCreatePixmapCursor(s->display, pixmap, pixmap, &black, &black, 0, 0);
    XFreePixmap(s->display, pixmap);
    XDefineCursor(s->display, s->window, s->blankCursor);
}

// A top-level window of our own with the driver's visual: titled, closable, and, for full screen,
// the size of the screen with the window manager asked to cover everything.
bool makeOwnWindow(const HackOptions& options, X11Session* s, XVisualInfo** visual) {
    const int screen = DefaultScreen(s->display);
    *visual = static_cast<XVisualInfo*>(glxChooseVisual(s->display, screen));
    if (!*visual) return fail("the display offers no double-buffered OpenGL visual");
    const Window root = RootWindow(s->display, screen);
    const bool fullScreen = options.target == HackTarget::FullScreen;
    s->width = fullScreen ? DisplayWidth(s->display, screen) : options.width;
    s->height = fullScreen ? DisplayHeight(s->display, screen) : options.height;
    s->colormap = XCreateColormap(s->display, root, (*visual)->visual, AllocNone);
    XSetWindowAttributes attributes{};
    attributes.colormap = s->colormap;
    attributes.background_pixel = BlackPixel(s->display, screen);
    attributes.border_pixel = 0;
    attributes.event_mask = INPUT_EVENTS | StructureNotifyMask | ExposureMask | VisibilityChangeMask;
    s->window = XCreateWindow(s->display, root, 0, 0, static_cast<unsigned>(s->width), static_cast<unsigned>(s->height),
                              0, (*visual)->depth, InputOutput, (*visual)->visual,
                              CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
    if (!s->window) return fail("cannot make a window");
    s->ownWindow = true;
    XStoreName(s->display, s->window, "Orbitarium");
    XClassHint hint{const_cast<char*>("orbitarium"), const_cast<char*>("Orbitarium")};
    XSetClassHint(s->display, s->window, &hint);
    s->deleteWindow = XInternAtom(s->display, "WM_DELETE_WINDOW", False);
    s->drawnAtom = XInternAtom(s->display, "_ORBITARIUM_DRAWN", False);
    XSetWMProtocols(s->display, s->window, &s->deleteWindow, 1);
    if (fullScreen) {
        Atom state = XInternAtom(s->display, "_NET_WM_STATE", False);
        Atom full = XInternAtom(s->display, "_NET_WM_STATE_FULLSCREEN", False);
        XChangeProperty(s->display, s->window, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&full), 1);
    }
    XMapRaised(s->display, s->window);
    // Wait until the window is on the screen, so that focus and the first frame land on it.
    for (XEvent event;;) {
        XWindowEvent(s->display, s->window, StructureNotifyMask, &event);
        if (event.type == MapNotify) break;
    }
    if (fullScreen) XSetInputFocus(s->display, s->window, RevertToParent, CurrentTime);
    // Held keys repeat as presses only, so a held arrow keeps flying.
    XkbSetDetectableAutoRepeat(s->display, True, nullptr);
    return true;
}

}  // namespace

bool x11Failed() { return failed; }

bool openX11(const HackOptions& options, X11Session* s) {
    failed = false;
    s->display = XOpenDisplay(nullptr);
    if (!s->display) return fail("cannot open the X display (is DISPLAY set?)");
    XSetErrorHandler(noteError);
    XVisualInfo* visual = nullptr;
    if (options.target == HackTarget::OwnWindow || options.target == HackTarget::FullScreen) {
        if (!makeOwnWindow(options, s, &visual)) return false;
    } else {
        s->window = options.windowId ? options.windowId : DefaultRootWindow(s->display);
        visual = visualOfWindow(s);
        XSync(s->display, False);
        if (failed) return fail("the window to draw in does not exist");
        if (!visual) return fail("OpenGL cannot draw on the window's visual");
        // Only its size: input belongs to whoever made the window.
        XSelectInput(s->display, s->window, StructureNotifyMask);
    }
    s->surface.display = s->display;
    s->surface.drawable = s->window;
    const bool attached = glxAttach(&s->surface, visual);
    XFree(visual);
    if (!attached) return fail("cannot make an OpenGL context on the window");
    if (s->ownWindow && !options.showMouse) makeBlankCursor(s);
    Window rootReturn, childReturn;
    int rootX = 0, rootY = 0;
    unsigned int buttons = 0;
    XQueryPointer(s->display, s->window, &rootReturn, &childReturn, &rootX, &rootY, &s->pointerX, &s->pointerY,
                  &buttons);
    return true;
}

void closeX11(X11Session* s) {
    if (!s->display) return;
    glxDetach(&s->surface);
    if (s->ownWindow && s->window) XDestroyWindow(s->display, s->window);
    if (s->blankCursor) XFreeCursor(s->display, s->blankCursor);
    if (s->colormap) XFreeColormap(s->display, s->colormap);
    // The connection stays open until the process ends (the server tidies up after it): closing it
    // unloads the GL driver, which keeps a few allocations for the life of the display.
    XSync(s->display, False);
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
                event.x = x.xbutton.x;
                event.y = x.xbutton.y;
                break;
            case MotionNotify:
                event.kind = HackEvent::PointerMove;
                event.x = x.xmotion.x;
                event.y = x.xmotion.y;
                break;
            case ConfigureNotify:
                if (x.xconfigure.window != s->window) continue;
                event.kind = HackEvent::Resize;
                event.x = x.xconfigure.width;
                event.y = x.xconfigure.height;
                break;
            case MapNotify:
            case UnmapNotify:
                if (x.xany.window != s->window) continue;
                event.kind = x.type == MapNotify ? HackEvent::Mapped : HackEvent::Unmapped;
                break;
            case VisibilityNotify:
                // Partly covered still shows a part of the picture.
                event.kind = x.xvisibility.state == VisibilityFullyObscured ? HackEvent::Covered
                                                                            : HackEvent::Uncovered;
                break;
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
