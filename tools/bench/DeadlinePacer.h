#pragma once

#include <chrono>
#include <thread>

// Frames on absolute deadlines, as the game's run loop paces them: a frame that ran long does
// not push the later ones back. Only when a whole interval behind does the count start afresh.
class DeadlinePacer
{
public:
    using Clock = std::chrono::steady_clock;

    explicit DeadlinePacer(double framesPerSecond)
        : _interval(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / framesPerSecond)))
    {
    }

    void waitForNextFrame()
    {
        const Clock::time_point now = Clock::now();
        _deadline += _interval;
        if (now - _deadline > _interval)
            _deadline = now;
        std::this_thread::sleep_until(_deadline);
    }

private:
    Clock::duration _interval;
    Clock::time_point _deadline = Clock::now();
};
