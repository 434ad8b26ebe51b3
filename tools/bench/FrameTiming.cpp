#include "FrameTiming.h"

#include <algorithm>
#include <chrono>
#include <vector>

Measurement timeFrames(const std::function<void()>& drawFrame, const FrameBudget& budget)
{
    using Clock = std::chrono::steady_clock;
    for (int frame = 0; frame < budget.warmUpFrames; ++frame)
        drawFrame();

    std::vector<double> millis;
    const Clock::time_point start = Clock::now();
    Clock::time_point before = start;
    while (static_cast<int>(millis.size()) < budget.maxFrames)
    {
        drawFrame();
        const Clock::time_point after = Clock::now();
        millis.push_back(std::chrono::duration<double, std::milli>(after - before).count());
        before = after;
        const double seconds = std::chrono::duration<double>(after - start).count();
        if (static_cast<int>(millis.size()) >= budget.minFrames && seconds >= budget.minSeconds)
            break;
    }
    // The median: a build elsewhere on the machine stalls single frames, not the typical one.
    std::nth_element(millis.begin(), millis.begin() + millis.size() / 2, millis.end());
    Measurement measured;
    measured.medianMillis = millis[millis.size() / 2];
    measured.frames = static_cast<int>(millis.size());
    return measured;
}

Measurement failedMeasurement(std::string why)
{
    Measurement failed;
    failed.error = std::move(why);
    return failed;
}
