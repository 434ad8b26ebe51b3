#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "XWindow.h"

// The moments frames reach a window, as the X server reports them: Mesa's software GL presents
// a frame by putting the whole back buffer into the window, one DAMAGE report the window's size
// (the pointer's and other small reports are left out). A thread with an X connection of its
// own stamps each report as it arrives, so the prober's other work never delays a stamp.
class PresentedFrames
{
public:
    using Clock = std::chrono::steady_clock;

    // Throws std::runtime_error when the X server cannot be reached or has no DAMAGE.
    PresentedFrames(Window window, int width, int height);
    ~PresentedFrames();
    PresentedFrames(const PresentedFrames&) = delete;
    PresentedFrames& operator=(const PresentedFrames&) = delete;

    long count() const;
    // When each frame so far was presented.
    std::vector<Clock::time_point> stamps() const;

private:
    void watch(int eventBase);

    DisplayHandle _display;
    unsigned long _damage = 0;
    int _width;
    int _height;
    std::atomic<bool> _stop{false};
    mutable std::mutex _lock;
    std::vector<Clock::time_point> _stamps;
    std::thread _watcher;
};

// p50, p99 and max of frame intervals, and how many exceed a limit.
struct IntervalFigures
{
    size_t intervals = 0;
    double p50 = 0;
    double p99 = 0;
    double max = 0;
    long over25 = 0;
};
IntervalFigures summarise(const std::vector<PresentedFrames::Clock::time_point>& stamps);

// Intervals over 25 ms that ended from half a second before to a second after any of the moments.
long longIntervalsNear(const std::vector<PresentedFrames::Clock::time_point>& stamps,
                       const std::vector<PresentedFrames::Clock::time_point>& moments);
