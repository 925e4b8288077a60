#include "hack/frame_pacing.h"

#include "saver/frame_loop.h"

int64_t pacingSleepMicroseconds(int64_t nowUs, int64_t frameDeadlineUs, int32_t msSinceTick, int32_t usIntoMillisecond) {
    if (nowUs >= frameDeadlineUs) return 0;
    int64_t sleep = frameDeadlineUs - nowUs;
    // The tick is due in the first millisecond that reads more than TICK_INTERVAL_MS after the last.
    if (msSinceTick > TICK_INTERVAL_MS) return 0;
    const int64_t untilTick =
        static_cast<int64_t>(TICK_INTERVAL_MS + 1 - msSinceTick) * 1000 - usIntoMillisecond;
    if (untilTick <= 0) return 0;
    return untilTick < sleep ? untilTick : sleep;
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
