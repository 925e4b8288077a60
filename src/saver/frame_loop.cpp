#include "saver/frame_loop.h"

#include "platform/platform.h"

uint32_t lastTickTime = 0;
bool displayOn = true;

bool tickDue(uint32_t now, uint32_t lastTick) {
    return static_cast<int32_t>(now - lastTick) > TICK_INTERVAL_MS;
}

void noteDisplayState(uint32_t state) { displayOn = state != 0; }

void runFrameLoop(const FrameLoopSteps& steps) {
    bool resting = false;
    platform.beginTimerPeriod(TIMER_PERIOD_MS);
    for (;;) {
        if (!steps.handleMessage()) break;
        if (!displayOn) {
            // A fine timer period keeps the whole system from its deeper idle states: given back
            // for the rest.
            if (!resting) platform.endTimerPeriod(TIMER_PERIOD_MS);
            resting = true;
            steps.waitForMessage();
            continue;
        }
        if (resting) {
            platform.beginTimerPeriod(TIMER_PERIOD_MS);
            lastTickTime = platform.multimediaTime();
            resting = false;
        }
        steps.drawFrame();
        // One tick at most, and lastTickTime takes the time read, not +20: a slow frame delays the
        // next tick instead of causing a burst of catch-up ticks.
        const uint32_t now = platform.multimediaTime();
        if (tickDue(now, lastTickTime)) {
            steps.updateTick();
            lastTickTime = now;
        }
    }
    if (!resting) platform.endTimerPeriod(TIMER_PERIOD_MS);
}
