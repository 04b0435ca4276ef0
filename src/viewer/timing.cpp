#include "viewer/timing.h"

#include <algorithm>

NextFrame ScheduleFrame(std::chrono::steady_clock::time_point due,
                        std::chrono::steady_clock::time_point now)
{
    const auto next = std::max(due + drawperiod, now);
    const auto wait = std::chrono::ceil<Millis>(next - now);
    return {next, unsigned(wait.count())};
}
