#pragma once
// Frame pacing as XScreenSaver's hacks do it: draw a frame, then sleep for what is left of the delay,
// so that the drawing time counts towards it. The scene's motion goes by the clock: before each frame
// the loop runs every update tick that has fallen due since the start, however long the frame took.
#include <cstdint>

// One update tick every 21 ms of the clock (the Windows saver's interval with a fine timer).
constexpr int64_t TICK_PERIOD_US = 21000;
// A pass that finds the clock more than this far ahead of the ticks run has seen a stall (a suspended
// machine, a stopped process).
constexpr int64_t STALL_US = 1000000;
// The wait between frames wakes at least this often to run the ticks due, so that a long --delay is
// not taken for a stall.
constexpr int64_t LONGEST_SLEEP_US = 250000;

// Microseconds to sleep now (`nowUs`) before the frame due at `frameDeadlineUs`, at most
// LONGEST_SLEEP_US. 0 means "do not sleep".
int64_t pacingSleepMicroseconds(int64_t nowUs, int64_t frameDeadlineUs);

// The ticks run against the time since `startUs` (microseconds on the clock the caller reads).
struct TickClock {
    int64_t startUs = 0;
    int64_t ticksRun = 0;
};

// What a stall does: a program on its own carries on from the current time (the ticks missed in the
// stall are never run); copies that keep one view together run them all at once to rejoin the others.
enum class AfterStall { CarryOn, CatchUp };

// The number of ticks to run at `nowUs` (counted into clock.ticksRun): those due at one per
// TICK_PERIOD_US since clock.startUs and not yet run. With CarryOn, more than STALL_US behind runs
// none and moves the start so that the clock carries on from now.
int64_t takeDueTicks(TickClock& clock, int64_t nowUs, AfterStall afterStall);

// Moves the start so that the ticks already run are the ones due at `nowUs`: the time since the last
// tick is not made up.
void carryOnFrom(TickClock& clock, int64_t nowUs);

// The clock of copies that keep one view together, on the wall clock (microseconds): it starts at the
// time of blanking (seconds) they all read, moved on by the whole days since, so that a copy started
// late never runs more than a day's ticks (about a second's work) before its first frame. False for a
// time of blanking ahead of `nowSeconds`: a stale or foreign one.
bool sharedTickClock(int64_t blankedSeconds, int64_t nowSeconds, TickClock* clock);

// Frame statistics for the --fps overlay: frames per second over the last whole second.
struct FrameRate {
    int64_t windowStartUs = -1;
    int32_t framesInWindow = 0;
    double framesPerSecond = 0.0;
};
// Counts one frame at `nowUs`; a second's count becomes the rate once that second is over.
void countFrame(FrameRate& rate, int64_t nowUs);
