#pragma once

#include <functional>
#include <string>

// How long a renderer is watched: frames first run untimed (texture uploads, shader builds),
// then frames are timed until both minimums are met.
struct FrameBudget
{
    int warmUpFrames = 3;
    int minFrames = 8;
    double minSeconds = 0.5;
    int maxFrames = 300;
};

// What one renderer did at one size. An empty error means the figures are valid.
struct Measurement
{
    double medianMillis = 0;
    int frames = 0;
    long drawCalls = -1; // -1: the renderer does not tell
    std::string error;
};

// Median wall-clock milliseconds of drawFrame(), which must return only once its frame is on
// the X server's screen.
Measurement timeFrames(const std::function<void()>& drawFrame, const FrameBudget& budget);

Measurement failedMeasurement(std::string why);
