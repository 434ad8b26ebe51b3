#include "platform/CCFramePacer.h"

#include <algorithm>
#include <thread>

NS_CC_BEGIN

namespace {

// Keeps the deadline arithmetic far from the limits of a nanosecond count; no frame loop
// waits longer than this between frames.
constexpr double kLongestIntervalSeconds = 3600.0;

FramePacer::TimePoint steadyNow()
{
    return std::chrono::steady_clock::now();
}

void steadySleepUntil(FramePacer::TimePoint deadline)
{
    std::this_thread::sleep_until(deadline);
}

} // namespace

FramePacer::FramePacer() : FramePacer(steadyNow, steadySleepUntil)
{
}

FramePacer::FramePacer(Now now, SleepUntil sleepUntil) : _now(std::move(now)), _sleepUntil(std::move(sleepUntil))
{
}

FramePacer::TimePoint FramePacer::currentDeadline() const
{
    const std::chrono::duration<double> sinceAnchor(static_cast<double>(_framesSinceAnchor) * _interval);
    return _anchor + std::chrono::round<TimePoint::duration>(sinceAnchor);
}

void FramePacer::restartAt(TimePoint anchor, double intervalSeconds)
{
    _anchor = anchor;
    _interval = intervalSeconds;
    _framesSinceAnchor = 0;
}

void FramePacer::waitForNextFrame(double intervalSeconds)
{
    const TimePoint now = _now();
    if (!_started || !(intervalSeconds > 0.0))
    {
        _started = true;
        restartAt(now, 0.0);
        return;
    }

    intervalSeconds = std::min(intervalSeconds, kLongestIntervalSeconds);
    if (intervalSeconds != _interval)
    {
        // A new rate (pause, resume, setAnimationInterval) starts from the frame just run.
        restartAt(currentDeadline(), intervalSeconds);
    }

    ++_framesSinceAnchor;
    const TimePoint deadline = currentDeadline();
    const std::chrono::duration<double> lateBy = now - deadline;
    if (lateBy.count() > intervalSeconds)
    {
        restartAt(now, intervalSeconds);
        return;
    }
    if (deadline > now)
    {
        _sleepUntil(deadline);
    }
}

NS_CC_END
