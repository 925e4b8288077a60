#pragma once
// The saver's frame loop: at most one message, one frame, and at most one update tick per pass.
#include <cstdint>
#include <functional>

// Multimedia-timer milliseconds at the last update tick.
extern uint32_t lastTickTime;

// Ticks are due when more than 20 ms have passed, measured as a signed 32-bit difference so that the
// timer wrapping past 2^32 changes nothing.
constexpr int32_t TICK_INTERVAL_MS = 20;
bool tickDue(uint32_t now, uint32_t lastTick);

struct FrameLoopSteps {
    // Handles at most one waiting message; false when that message was the quit message.
    std::function<bool()> handleMessage;
    std::function<void()> drawFrame;
    std::function<void()> updateTick;
};

// Runs passes until handleMessage reports the quit message. Reads the time through the platform table,
// with the timer's resolution raised to TIMER_PERIOD_MS for the loop's whole run: at the default
// resolution of Windows (15.6 ms) "more than 20 ms" is first seen at 31 ms, 32 ticks a second instead
// of 47.6, and the tour and the planets would run a third slower.
constexpr uint32_t TIMER_PERIOD_MS = 1;
void runFrameLoop(const FrameLoopSteps& steps);
