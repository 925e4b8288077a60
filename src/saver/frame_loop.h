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

// False while the system reports the display off: the loop then draws no frame and runs no tick, and
// waits for messages instead of turning. The saver's front end sets it to true before it asks to be told.
extern bool displayOn;
// The display state of the system's power notice: 0 off, 1 on, 2 dimmed (dimmed is still seen). Any
// other value counts as on: drawing into a dark screen wastes power, a blank lit one would be a fault.
void noteDisplayState(uint32_t state);

struct FrameLoopSteps {
    // Handles at most one waiting message; false when that message was the quit message.
    std::function<bool()> handleMessage;
    std::function<void()> drawFrame;
    std::function<void()> updateTick;
    // Blocks until a message may be waiting; called instead of drawing while the display is off.
    std::function<void()> waitForMessage;
};

// Runs passes until handleMessage reports the quit message. Reads the time through the platform table,
// with the timer's resolution raised to TIMER_PERIOD_MS while the loop draws: at the default
// resolution of Windows (15.6 ms) "more than 20 ms" is first seen at 31 ms, 32 ticks a second instead
// of 47.6, and the tour and the planets would run a third slower. While the display is off the period
// is given back; when it comes back, lastTickTime is taken afresh, so that the tour goes on from where
// it stopped and the rest is not made up.
constexpr uint32_t TIMER_PERIOD_MS = 1;
void runFrameLoop(const FrameLoopSteps& steps);
