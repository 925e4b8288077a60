// The pacing arithmetic: what is left of the delay after drawing, and the early wake-ups for ticks.
#include <gtest/gtest.h>

#include "hack/frame_pacing.h"

namespace {

TEST(FramePacing, SleepsWhatIsLeftOfTheDelayAfterDrawing) {
    // Frame began at 0 with a 20 ms delay and took 7 ms; the last tick was just now.
    EXPECT_EQ(pacingSleepMicroseconds(7000, 20000, 0, 0), 13000);
    // A frame slower than the delay: no sleep at all, the next frame starts at once.
    EXPECT_EQ(pacingSleepMicroseconds(25000, 20000, 0, 0), 0);
    EXPECT_EQ(pacingSleepMicroseconds(20000, 20000, 0, 0), 0);
    // --delay 0 draws flat out.
    EXPECT_EQ(pacingSleepMicroseconds(5000, 5000, 3, 0), 0);
}

TEST(FramePacing, WakesForATickThatFallsDueInsideTheSleep) {
    // 15 ms since the last tick, 300 us into the current millisecond: the tick is due when the timer
    // reads 21 ms after it, 5.7 ms from now, before the 10 ms left of the frame.
    EXPECT_EQ(pacingSleepMicroseconds(10000, 20000, 15, 300), 5700);
    // Exactly 20 ms is not yet due (the core wants more than 20); 21 is due now.
    EXPECT_EQ(pacingSleepMicroseconds(0, 20000, 20, 400), 600);
    EXPECT_EQ(pacingSleepMicroseconds(0, 20000, 21, 0), 0);
    // A long delay is split into tick-sized sleeps, never one that sleeps past a tick.
    EXPECT_EQ(pacingSleepMicroseconds(0, 1000000, 0, 0), 21000);
    // A tick long overdue (the timer ran past while drawing) asks for it at once.
    EXPECT_EQ(pacingSleepMicroseconds(0, 20000, 500, 0), 0);
}

TEST(FramePacing, AStepBackOfTheTimerNeverSleepsLongerThanTheFrame) {
    // A negative reading (the tick taken in a later millisecond than this one) is still bounded.
    EXPECT_EQ(pacingSleepMicroseconds(0, 20000, -5, 0), 20000);
}

TEST(FrameRate, CountsFramesOverEachWholeSecond) {
    FrameRate rate;
    for (int i = 0; i < 50; ++i) countFrame(rate, 1000000 + i * 20000);
    EXPECT_EQ(rate.framesPerSecond, 0.0);  // the first second is not over yet
    countFrame(rate, 2000000);
    EXPECT_NEAR(rate.framesPerSecond, 51.0, 1e-9);
    for (int i = 1; i <= 10; ++i) countFrame(rate, 2000000 + i * 100000);
    EXPECT_NEAR(rate.framesPerSecond, 10.0, 1e-9);
    // A clock that steps back starts a new window instead of dividing by a negative span.
    countFrame(rate, 5);
    EXPECT_NEAR(rate.framesPerSecond, 10.0, 1e-9);
}

}  // namespace
