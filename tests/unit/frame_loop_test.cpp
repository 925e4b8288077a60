#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform_override.h"
#include "shell/frame_loop.h"

namespace {

uint32_t fakeClock = 0;
uint32_t readFakeClock() { return fakeClock; }

// Runs the loop against a scripted clock: each frame lasts frameMs[i]; the loop ends after the last.
struct LoopRecorder {
    std::vector<uint32_t> frameMs;
    std::vector<bool> messageWaiting;  // per pass, whether a message is handled at its start
    std::string events;                // M message, F frame, T tick
    size_t pass = 0;

    void run(uint32_t startTime) {
        ScopedPlatform saved;
        platform.multimediaTime = readFakeClock;
        fakeClock = startTime;
        lastTickTime = startTime;
        FrameLoopSteps steps;
        steps.handleMessage = [this] {
            if (pass == frameMs.size()) return false;  // the quit message
            if (pass < messageWaiting.size() && messageWaiting[pass]) events += 'M';
            return true;
        };
        steps.drawFrame = [this] {
            events += 'F';
            fakeClock += frameMs[pass++];
        };
        steps.updateTick = [this] { events += 'T'; };
        runFrameLoop(steps);
    }
};

TEST(FrameLoop, TickRuleIsStrictlyMoreThanTwentyMilliseconds) {
    EXPECT_FALSE(tickDue(1020, 1000));
    EXPECT_TRUE(tickDue(1021, 1000));
    EXPECT_FALSE(tickDue(1000, 1000));
    EXPECT_FALSE(tickDue(990, 1000));  // a clock that steps back never ticks
}

TEST(FrameLoop, SlowFrameIsFollowedByExactlyOneTick) {
    LoopRecorder loop;
    loop.frameMs = {50, 50, 5};
    loop.run(1000);
    // No catch-up: 50 ms gives one tick, and the next interval starts at the time read.
    EXPECT_EQ(loop.events, "FTFTF");
    EXPECT_EQ(lastTickTime, 1100u);
}

TEST(FrameLoop, FastFramesTickOnlyAfterMoreThanTwentyMilliseconds) {
    LoopRecorder loop;
    loop.frameMs = {10, 10, 1, 10, 10, 1};
    loop.run(0);
    EXPECT_EQ(loop.events, "FFFTFFFT");
}

TEST(FrameLoop, TicksGoOnWhenTheTimerWraps) {
    LoopRecorder loop;
    loop.frameMs = {25, 25, 25, 25};
    loop.run(0xFFFFFFC0u);  // 64 ms before the wrap
    EXPECT_EQ(loop.events, "FTFTFTFT");
    EXPECT_EQ(lastTickTime, 0xFFFFFFC0u + 100u);  // wrapped to 36
}

TEST(FrameLoop, MessageThenFrameInTheSamePassAndQuitEndsBeforeDrawing) {
    LoopRecorder loop;
    loop.frameMs = {5, 5, 5};
    loop.messageWaiting = {false, true, false};
    loop.run(0);
    EXPECT_EQ(loop.events, "FMFF");
}

}  // namespace
