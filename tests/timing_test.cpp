#include <gtest/gtest.h>

#include <chrono>

#include "viewer/timing.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;

const Clock::time_point t0 = Clock::time_point() + std::chrono::hours(1);

}  // namespace

TEST(Timing, TheMotionStepIsAFortiethOfASecond)
{
    // A vertical speed of 0.1 a step sinks the eye 4 units a second.
    EXPECT_EQ(std::chrono::seconds(1) / motionperiod, 40);
    EXPECT_DOUBLE_EQ(0.1 * double(std::chrono::seconds(1) / motionperiod), 4.0);
}

TEST(Timing, AQuickFrameWaitsOutTheRestOfItsTwentyMilliseconds)
{
    NextFrame n = ScheduleFrame(t0, t0 + milliseconds(5));
    EXPECT_EQ(n.due, t0 + milliseconds(20));
    EXPECT_EQ(n.delay, 15u);
    n = ScheduleFrame(t0, t0 + microseconds(19500));  // half a millisecond left: wait 1
    EXPECT_EQ(n.delay, 1u);
    n = ScheduleFrame(t0, t0 + milliseconds(20));  // exactly on time
    EXPECT_EQ(n.due, t0 + milliseconds(20));
    EXPECT_EQ(n.delay, 0u);
}

TEST(Timing, ALateFrameMovesTheScheduleOnWithoutMakingUp)
{
    NextFrame n = ScheduleFrame(t0, t0 + milliseconds(47));  // two periods and more
    EXPECT_EQ(n.due, t0 + milliseconds(47));
    EXPECT_EQ(n.delay, 0u);
    n = ScheduleFrame(n.due, n.due + milliseconds(4));  // back to quick frames
    EXPECT_EQ(n.due, t0 + milliseconds(67));
    EXPECT_EQ(n.delay, 16u);
}

TEST(Timing, FramesOfSteadyCostStartEveryTwentyMilliseconds)
{
    // Each frame starts when its timer fires and takes 7 ms; the timer fires
    // the delay after the frame ended.
    Clock::time_point due = t0, start = t0;
    for (int k = 1; k <= 50; ++k) {
        const Clock::time_point end = start + milliseconds(7);
        const NextFrame n = ScheduleFrame(due, end);
        due = n.due;
        start = end + milliseconds(n.delay);
        ASSERT_EQ(start, t0 + k * milliseconds(20)) << "frame " << k;
    }
}
