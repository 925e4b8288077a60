#include "saver/frame_loop.h"

#include "platform/platform.h"

uint32_t lastTickTime = 0;

bool tickDue(uint32_t now, uint32_t lastTick) {
    return static_cast<int32_t>(now - lastTick) > TICK_INTERVAL_MS;
}

void runFrameLoop(const FrameLoopSteps& steps) {
    platform.beginTimerPeriod(TIMER_PERIOD_MS);
    for (;;) {
        if (!steps.handleMessage()) break;
        steps.drawFrame();
        // One tick at most, and lastTickTime takes the time read, not +20: a slow frame delays the
        // next tick instead of causing a burst of catch-up ticks.
        const uint32_t now = platform.multimediaTime();
        if (tickDue(now, lastTickTime)) {
            steps.updateTick();
            lastTickTime = now;
        }
    }
    platform.endTimerPeriod(TIMER_PERIOD_MS);
}
