#pragma once
// Frame pacing as XScreenSaver's hacks do it: draw a frame, then sleep for what is left of the delay,
// so that the drawing time counts towards it. The scene's motion stays in the core's 20 ms ticks; the
// sleep wakes early for a tick that falls due inside it, so that the tick rate does not depend on the
// frame rate.
#include <cstdint>

// Microseconds to sleep now (`nowUs`) before the next wake-up: the frame due at `frameDeadlineUs`,
// or the update tick that falls due once the millisecond timer has moved more than 20 ms past the
// last tick (`msSinceTick` milliseconds ago, `usIntoMillisecond` into the current millisecond).
// 0 means "do not sleep".
int64_t pacingSleepMicroseconds(int64_t nowUs, int64_t frameDeadlineUs, int32_t msSinceTick, int32_t usIntoMillisecond);

// Frame statistics for the --fps overlay: frames per second over the last whole second.
struct FrameRate {
    int64_t windowStartUs = -1;
    int32_t framesInWindow = 0;
    double framesPerSecond = 0.0;
};
// Counts one frame at `nowUs`; a second's count becomes the rate once that second is over.
void countFrame(FrameRate& rate, int64_t nowUs);
