#pragma once
// The two timers' schedules: the motion step every 25 ms, a frame every
// 20 ms. Plain arithmetic on milliseconds, so it can be tested without GLUT.
#include <chrono>

using Millis = std::chrono::milliseconds;

constexpr Millis motionperiod{25};  // one motion step; speeds are per step
constexpr Millis drawperiod{20};    // frames start this far apart while they take less

// After a frame that was due at `due` and ended at `now`: when the next one
// is due, and the timer delay in whole milliseconds (rounded up) until then.
// The frame's own time counts towards the period; a late frame moves the
// schedule on instead of being made up.
struct NextFrame {
    std::chrono::steady_clock::time_point due;
    unsigned delay;  // ms
};
NextFrame ScheduleFrame(std::chrono::steady_clock::time_point due,
                        std::chrono::steady_clock::time_point now);
