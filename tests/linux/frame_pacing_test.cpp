// The pacing arithmetic: what is left of the delay after drawing, and the update ticks by the clock.
#include <gtest/gtest.h>

#include <algorithm>

#include "hack/frame_pacing.h"

namespace {

TEST(FramePacing, SleepsWhatIsLeftOfTheDelayAfterDrawing) {
    // Frame began at 0 with a 20 ms delay and took 7 ms.
    EXPECT_EQ(pacingSleepMicroseconds(7000, 20000), 13000);
    // A frame slower than the delay: no sleep at all, the next frame starts at once.
    EXPECT_EQ(pacingSleepMicroseconds(25000, 20000), 0);
    EXPECT_EQ(pacingSleepMicroseconds(20000, 20000), 0);
    // --delay 0 draws flat out; a long delay is slept in slices.
    EXPECT_EQ(pacingSleepMicroseconds(5000, 5000), 0);
    EXPECT_EQ(pacingSleepMicroseconds(0, 10000000), LONGEST_SLEEP_US);
}

// The loop's pattern on a clock the test moves: take the ticks due, draw a frame of `drawUs`, sleep
// out the delay in the slices the pacing asks for, taking the ticks due after each. Returns the ticks
// run from 0 until `untilUs`.
int64_t ticksOfRunning(int64_t drawUs, int64_t delayUs, int64_t untilUs, AfterStall afterStall,
                       int64_t stallAtUs = -1, int64_t stallUs = 0) {
    TickClock clock;
    int64_t now = 0, ticks = 0;
    while (now < untilUs) {
        const int64_t frameStart = now;
        ticks += takeDueTicks(clock, now, afterStall);
        now = std::min(now + drawUs, untilUs);
        if (stallAtUs >= 0 && now >= stallAtUs) {
            now += stallUs;
            stallAtUs = -1;
        }
        for (int64_t sleep; now < untilUs && (sleep = pacingSleepMicroseconds(now, frameStart + delayUs)) > 0;) {
            now = std::min(now + sleep, untilUs);
            ticks += takeDueTicks(clock, now, afterStall);
        }
    }
    // The count a pass at `untilUs` would reach.
    return ticks + takeDueTicks(clock, untilUs, afterStall);
}

TEST(TicksByTheClock, TenSecondsRunTheSameTicksAtAnyFrameRate) {
    const int64_t due = 10000000 / TICK_PERIOD_US;  // 476
    // 3840 x 2160 on software rendering: 118 ms a frame. 320 x 240: 3 ms a frame, 20 ms delay.
    EXPECT_NEAR(ticksOfRunning(118000, 20000, 10000000, AfterStall::CarryOn), due, 1);
    EXPECT_NEAR(ticksOfRunning(3000, 20000, 10000000, AfterStall::CarryOn), due, 1);
    EXPECT_NEAR(ticksOfRunning(900, 0, 10000000, AfterStall::CarryOn), due, 1);
    // A frame every 3 s (--delay 3000000) is no stall.
    EXPECT_NEAR(ticksOfRunning(2000, 3000000, 10000000, AfterStall::CarryOn), due, 1);
}

TEST(TicksByTheClock, AStallIsNotMadeUpOnItsOwnButIsWhenCopiesKeepTogether) {
    const int64_t due = 10000000 / TICK_PERIOD_US;
    const int64_t stall = 5000000 / TICK_PERIOD_US;
    // Stopped for 5 s in the middle: on its own the tour loses those 5 s, not more, not less.
    EXPECT_NEAR(ticksOfRunning(3000, 20000, 10000000, AfterStall::CarryOn, 4000000, 5000000), due - stall, 2);
    // A copy keeping one view with others runs them at once and is on time again.
    EXPECT_NEAR(ticksOfRunning(3000, 20000, 10000000, AfterStall::CatchUp, 4000000, 5000000), due, 1);
    // Less than a second behind (a slow frame) is made up on its own too.
    EXPECT_NEAR(ticksOfRunning(3000, 20000, 10000000, AfterStall::CarryOn, 4000000, 900000), due, 1);

    TickClock clock{1000000, 0};
    EXPECT_EQ(takeDueTicks(clock, 500000, AfterStall::CarryOn), 0);  // before the start
    EXPECT_EQ(takeDueTicks(clock, 1000000 + 3 * TICK_PERIOD_US - 1, AfterStall::CarryOn), 2);
    EXPECT_EQ(takeDueTicks(clock, 1000000 + 3 * TICK_PERIOD_US, AfterStall::CarryOn), 1);
    // After a stall it carries on from then: the next tick one period later.
    EXPECT_EQ(takeDueTicks(clock, 9000000, AfterStall::CarryOn), 0);
    EXPECT_EQ(takeDueTicks(clock, 9000000 + TICK_PERIOD_US - 1, AfterStall::CarryOn), 0);
    EXPECT_EQ(takeDueTicks(clock, 9000000 + TICK_PERIOD_US, AfterStall::CarryOn), 1);
    EXPECT_EQ(clock.ticksRun, 4);

    // Copies under the daemon count from the time of blanking; after days of it, from the last whole
    // day, whichever second of it a copy starts in; a time of blanking ahead of the clock is refused.
    constexpr int64_t blanked = 1765470000, day = 86400;
    for (const int64_t now : {blanked, blanked + 5, blanked + day - 1}) {
        ASSERT_TRUE(sharedTickClock(blanked, now, &clock));
        EXPECT_EQ(clock.startUs, blanked * 1000000);
        EXPECT_EQ(clock.ticksRun, 0);
    }
    for (const int64_t now : {blanked + 3 * day, blanked + 3 * day + 7200}) {
        ASSERT_TRUE(sharedTickClock(blanked, now, &clock));
        EXPECT_EQ(clock.startUs, (blanked + 3 * day) * 1000000);
    }
    EXPECT_TRUE(sharedTickClock(blanked + 1, blanked, &clock));  // a copy a moment early
    EXPECT_FALSE(sharedTickClock(blanked + 60, blanked, &clock));
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
