#include "hack/x11/hack_loop.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "gl/driver_library.h"
#include "gl/gl_api.h"
#include "hack/frame_pacing.h"
#include "hack/hack_events.h"
#include "hack/hack_scene.h"
#include "hack/monitor_layout.h"
#include "hack/x11/x11_desk.h"
#include "hack/x11/x11_window.h"
#include "platform/platform.h"
#include "render/fps_overlay.h"
#include "render/frame_render.h"
#include "render/frame_views.h"
#include "render/view_size.h"
#include "scene/update_tick.h"

namespace {

volatile sig_atomic_t stopSignal = 0;
// Written to by the stop signals' handler, so that the wait between frames, which polls it, wakes
// even when the signal comes just before the wait begins.
int wakePipe[2] = {-1, -1};

void onStopSignal(int) {
    stopSignal = 1;
    const int saved = errno;
    if (wakePipe[1] >= 0 && write(wakePipe[1], "", 1) < 0) {
        // Full: a wake-up is already waiting.
    }
    errno = saved;
}

// Without SA_RESTART, so that a sleep in progress ends at once.
void catchStopSignals() {
    if (wakePipe[0] < 0 && pipe2(wakePipe, O_NONBLOCK | O_CLOEXEC) != 0) wakePipe[0] = wakePipe[1] = -1;
    // Emptied of an earlier run's wake-up, which would otherwise end every wait at once.
    char sink[16];
    while (wakePipe[0] >= 0 && read(wakePipe[0], sink, sizeof sink) > 0) {
    }
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

int64_t microsecondsOn(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

int64_t nowMicroseconds() { return microsecondsOn(CLOCK_MONOTONIC); }

// The ticks run by the clock: the monotonic one for a program on its own; the wall clock, which every
// copy of the program reads alike, for copies that keep one view together.
TickClock tickClock;
clockid_t tickClockId = CLOCK_MONOTONIC;
AfterStall afterStall = AfterStall::CarryOn;

void runDueTicks() {
    for (int64_t n = takeDueTicks(tickClock, microsecondsOn(tickClockId), afterStall); n > 0; --n) updateTick();
}

// While the XScreenSaver daemon blanks, it runs a copy of the program on every monitor, each in a
// window over its monitor. The copies agree without a word between them: the sky and orbits come from
// the time of blanking (unless --seed names them) and the ticks count from that time on the wall
// clock, so at any moment every copy has run the same ticks, and each draws its monitor's part of one
// view. A copy held up (stopped, or starved of time) runs the ticks it missed at once and rejoins.
// A time of blanking ahead of the clock is a stale or foreign property: the program keeps its own.
bool joinBlankedDesk(Display* display, HackOptions* options) {
    int64_t blankedAt = 0;
    if (options->target != HackTarget::Root || !blankingSince(display, &blankedAt) ||
        !sharedTickClock(blankedAt, microsecondsOn(CLOCK_REALTIME) / 1000000, &tickClock))
        return false;
    if (!options->seeded) {
        options->seeded = true;
        options->seed = static_cast<int32_t>(blankedAt % 256);
    }
    tickClockId = CLOCK_REALTIME;
    afterStall = AfterStall::CatchUp;
    return true;
}

// The primary monitor's size and the frame's views when the picture is part of a desk of several
// monitors: windows of ours over every monitor, or one copy's window among the daemon's. False, and
// no views, for a picture of one window's own.
bool layOutDesk(X11Session* session, bool copyOfDesk, float* primaryWidth, float* primaryHeight) {
    frameViews = FrameViews{};
    if (!copyOfDesk && !(session->ownWindow && session->shownCount > 1)) return false;
    MonitorArea monitors[X11Session::MAX_WINDOWS];
    const uint32_t count = platform.listMonitors(monitors, X11Session::MAX_WINDOWS);
    if (count < 2 || session->shownCount == 0) return false;
    layOutViews(monitors, count, session->shownOnRoot, session->shownCount, session->pixmapOnRoot);
    const WindowView primary = windowView(monitors, count, session->pixmapOnRoot);
    *primaryWidth = primary.primaryWidth;
    *primaryHeight = primary.primaryHeight;
    return true;
}

bool stopping() { return stopSignal != 0 || x11Failed(); }

// Whether an event handled during the wait needs the loop now: the end, or a frame at a new size.
bool frameWanted() { return hackInput.quit || hackInput.closePending || hackInput.resized; }

// Sleeps out the rest of the frame's delay, running the ticks due on the way, and waking at once for
// X events (handled here) and the stop signals, whatever the delay.
void waitForNextFrame(X11Session* session, int64_t deadline) {
    pollfd watched[2] = {{ConnectionNumber(session->display), POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
    while (!stopping()) {
        // Also takes what Xlib has already read into its queue, which a poll of the socket cannot see.
        pumpX11Events(session);
        if (frameWanted() || stopping()) return;
        const int64_t sleep = pacingSleepMicroseconds(nowMicroseconds(), deadline);
        if (sleep > 0) {
            const timespec span{static_cast<time_t>(sleep / 1000000), static_cast<long>(sleep % 1000000) * 1000};
            ppoll(watched, wakePipe[0] >= 0 ? 2 : 1, &span, nullptr);
        }
        runDueTicks();
        if (nowMicroseconds() >= deadline) return;
    }
}

// While nothing of the window shows: sleeps until the X connection has something to read or a stop
// signal comes, using no CPU. The stop signals are held back from the check to the wait, so that one
// cannot arrive between them unseen: ppoll lets them in only while it waits.
void waitForX11Events(Display* display) {
    sigset_t stops, previous;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    sigprocmask(SIG_BLOCK, &stops, &previous);
    // XPending also sends what is queued and reads what has come: events already read by Xlib would
    // never wake the poll.
    if (!stopping() && XPending(display) == 0) {
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        ppoll(&connection, 1, nullptr, &previous);
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

}  // namespace

int runOnX11(const HackOptions& given, void (*framePresented)(int64_t microseconds)) {
    HackOptions options = given;
    stopSignal = 0;
    tickClockId = CLOCK_MONOTONIC;
    afterStall = AfterStall::CarryOn;
    catchStopSignals();
    if (loadGlApi("libGL.so.1") != GL_LOAD_OK) {
        std::fprintf(stderr, "orbitarium: libGL.so.1 is missing or lacks an OpenGL 1.1 function\n");
        return 1;
    }
    // A stop signal or the window's end during start-up ends the program between its steps.
    if (stopSignal) return 0;
    X11Session session;
    const X11Open opened = openX11(options, &session);
    if (opened != X11Open::Ready || stopping()) {
        closeX11(&session);
        return opened == X11Open::Failed ? 1 : 0;
    }
    const bool copyOfDesk = joinBlankedDesk(session.display, &options);
    float primaryWidth = 0.0f, primaryHeight = 0.0f;
    if (layOutDesk(&session, copyOfDesk, &primaryWidth, &primaryHeight))
        applyHackOptions(options, static_cast<int>(primaryWidth), static_cast<int>(primaryHeight));
    else
        applyHackOptions(options, session.width, session.height);
    beginHackInput(options.target, session.width, session.height, session.pointerX, session.pointerY);
    setUpHackScene(options);
    if (stopping()) {
        closeX11(&session);
        releaseHackScene();
        return 0;
    }
    applyViewSize(session.width, session.height);
    if (options.fps) countDrawnTriangles();
    FrameRate rate;
    bool resting = false;
    for (int32_t t = 0; t < options.startTick; ++t) updateTick();
    if (!copyOfDesk) tickClock = TickClock{nowMicroseconds(), 0};

    while (!stopping()) {
        const int64_t frameStart = nowMicroseconds();
        pumpX11Events(&session);
        if (finishHackEvents() || stopping()) break;
        if (hackPictureHidden()) {
            if (!resting) noteResting(&session);
            resting = true;
            waitForX11Events(session.display);
            continue;
        }
        if (resting) {
            // The time rested is not made up: the tour goes on from where it stopped.
            resting = false;
            if (!copyOfDesk) carryOnFrom(tickClock, nowMicroseconds());
            rate = FrameRate{};
        }
        if (hackInput.resized) {
            hackInput.resized = false;
            applyViewSize(hackInput.width, hackInput.height);
            resizeX11Drawing(&session, hackInput.width, hackInput.height);
            layOutDesk(&session, copyOfDesk, &primaryWidth, &primaryHeight);
        }
        runDueTicks();
        // The frame code's own swap finds no WGL entry in libGL and does nothing: the frame is
        // shown here, after the counter is drawn over it.
        drawFrameOnEveryView();
        if (options.fps) {
            // In the corner of the first view (the primary's, or a copy's own), which the frame leaves
            // as the viewport.
            countFrame(rate, nowMicroseconds());
            const int width = frameViews.count ? frameViews.views[0].width : hackInput.width;
            const int height = frameViews.count ? frameViews.views[0].height : hackInput.height;
            drawOverlayText(frameCounterText(rate.framesPerSecond, takeTriangleCount()), width, height,
                            height >= 400 ? 2 : 1);
        }
        presentX11Frame(&session);
        noteFrameShown(&session, hackInput.width, hackInput.height);
        if (framePresented) framePresented(nowMicroseconds());
        waitForNextFrame(&session, frameStart + options.delayMicroseconds);
    }
    frameViews = FrameViews{};
    closeX11(&session);
    releaseHackScene();
    return 0;
}
