#pragma once
// The X side of the Linux program: the display connection, the window it draws in (its own, a full
// screen one, the root, XScreenSaver's or a given one), the GLX context on it, and its events.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "gl/glx_calls.h"
#include "hack/hack_options.h"

struct X11Session {
    Display* display = nullptr;
    Window window = 0;
    bool ownWindow = false;   // made (and destroyed) by this program
    Atom deleteWindow = 0;    // WM_DELETE_WINDOW
    Colormap colormap = 0;
    Cursor blankCursor = 0;
    int width = 0, height = 0;
    int pointerX = 0, pointerY = 0;
    GlxSurface surface;
    // On a window made by someone else the frames are drawn into a pixmap of ours and copied into
    // the window: that window may be destroyed at any moment, and the GL driver must never be left
    // holding a drawable that is gone (Mesa's software path then sizes its buffers from the failed
    // geometry request's uninitialised reply and corrupts the heap). A pixmap lives as long as we do.
    Pixmap pixmap = 0;
    GC copyGc = nullptr;
    XVisualInfo pixmapVisual{};
    // The windows a pixmap's frames are copied into, in root-window pixels, and the pixmap's own
    // place on the root: one window made by someone else, which the pixmap covers, or, for full
    // screen over several monitors, a window of ours on each (the first on the primary, `window`),
    // the pixmap their bounding box.
    static constexpr uint32_t MAX_WINDOWS = HackOptions::MAX_MONITORS;
    Window shownWindows[MAX_WINDOWS] = {};
    MonitorArea shownOnRoot[MAX_WINDOWS];
    uint32_t shownCount = 0;
    MonitorArea pixmapOnRoot;
    uint32_t coveredWindows = 0;             // a bit for each shown window covered whole
    Atom drawnAtom = 0;                      // _ORBITARIUM_DRAWN, on our own window only
    int drawnWidth = 0, drawnHeight = 0;     // the size of the frames last shown
    int framesAtSize = 0;                    // frames shown at that size, counted up to 2
};

enum class X11Open { Ready, Failed, WindowGone };

// Opens the display, finds or makes the window and attaches a GLX context to it (GlApi must be
// loaded); full screen covers every monitor RandR lists (platform.listMonitors reads them from here
// on). Failed, with a message on stderr, when any of it fails; WindowGone when the given window
// does not exist (any more). closeX11 tidies what was made. A lost display connection ends the
// process at once with one line on stderr and exit code 1.
X11Open openX11(const HackOptions& options, X11Session* session);
void closeX11(X11Session* session);

// After a frame is on the screen: publishes the size it was drawn at, and how many frames of that
// size have been shown (up to 2), as the CARDINAL[3] property _ORBITARIUM_DRAWN of our own window,
// so that whoever resizes it (a window manager, a recorder, the tests) can tell when the picture has
// caught up. The first frame after a resize may still come from a buffer of the old size (the GL
// driver may read the drawable's size again only after a swap); the second is drawn after it has.
// Nothing is written once the count reaches 2, and nothing on a window someone else made.
void noteFrameShown(X11Session* session, int width, int height);

// When the window stops showing (unmapped or wholly covered): publishes a count of 0 frames at the
// size last drawn, which the frames shown once it shows again count up from, so that a watcher can tell
// that none was drawn meanwhile.
void noteResting(X11Session* session);

// Shows the frame just drawn: swaps the window's buffers, or copies the pixmap into the window.
void presentX11Frame(X11Session* session);

// Follows a new window size: on a window made by someone else, a new pixmap of that size (and the
// window's new place on the root).
void resizeX11Drawing(X11Session* session, int width, int height);

// Passes every waiting X event to the input rules (hack/hack_events.h).
void pumpX11Events(X11Session* session);

// True once the window was destroyed under us: its DestroyNotify, or an X error about it.
bool x11Failed();
