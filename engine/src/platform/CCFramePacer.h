#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// Paces a run loop to absolute deadlines on a fixed grid: the n-th deadline is the anchor plus
// n intervals, so nanosecond rounding never accumulates into drift. A frame that overran by
// more than one interval restarts the grid at once instead of bursting through missed frames.
class FramePacer
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Now = std::function<TimePoint()>;
    using SleepUntil = std::function<void(TimePoint)>;

    // The clock and the sleep are injectable so the Windows loop can bring its own
    // high-resolution sleep and tests can bring a fake clock.
    FramePacer();
    FramePacer(Now now, SleepUntil sleepUntil);

    // Blocks until the next frame is due. The first frame is due at once. An interval
    // that is not a positive number means no pacing: every frame is due at once.
    void waitForNextFrame(double intervalSeconds);

    // When the frame that the last wait released was due.
    TimePoint currentDeadline() const;

private:
    void restartAt(TimePoint anchor, double intervalSeconds);

    Now _now;
    SleepUntil _sleepUntil;
    bool _started = false;
    TimePoint _anchor;
    double _interval = 0.0;
    std::int64_t _framesSinceAnchor = 0;
};

NS_CC_END
