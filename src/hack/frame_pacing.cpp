#include "hack/frame_pacing.h"

int64_t pacingSleepMicroseconds(int64_t nowUs, int64_t frameDeadlineUs) {
    if (nowUs >= frameDeadlineUs) return 0;
    const int64_t sleep = frameDeadlineUs - nowUs;
    return sleep < LONGEST_SLEEP_US ? sleep : LONGEST_SLEEP_US;
}

int64_t takeDueTicks(TickClock& clock, int64_t nowUs, AfterStall afterStall) {
    if (nowUs < clock.startUs) return 0;
    const int64_t missing = (nowUs - clock.startUs) / TICK_PERIOD_US - clock.ticksRun;
    if (missing <= 0) return 0;
    if (afterStall == AfterStall::CarryOn && missing * TICK_PERIOD_US > STALL_US) {
        carryOnFrom(clock, nowUs);
        return 0;
    }
    clock.ticksRun += missing;
    return missing;
}

void carryOnFrom(TickClock& clock, int64_t nowUs) { clock.startUs = nowUs - clock.ticksRun * TICK_PERIOD_US; }

bool sharedTickClock(int64_t blankedSeconds, int64_t nowSeconds, TickClock* clock) {
    constexpr int64_t DAY = 86400;
    // A second of grace: copies read the clock at slightly different moments.
    if (blankedSeconds > nowSeconds + 1) return false;
    const int64_t days = blankedSeconds < nowSeconds ? (nowSeconds - blankedSeconds) / DAY : 0;
    *clock = TickClock{(blankedSeconds + days * DAY) * 1000000, 0};
    return true;
}

void countFrame(FrameRate& rate, int64_t nowUs) {
    if (rate.windowStartUs < 0 || nowUs < rate.windowStartUs) {
        rate.windowStartUs = nowUs;
        rate.framesInWindow = 0;
    }
    ++rate.framesInWindow;
    const int64_t elapsed = nowUs - rate.windowStartUs;
    if (elapsed >= 1000000) {
        rate.framesPerSecond = static_cast<double>(rate.framesInWindow) * 1e6 / static_cast<double>(elapsed);
        rate.windowStartUs = nowUs;
        rate.framesInWindow = 0;
    }
}
