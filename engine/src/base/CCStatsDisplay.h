#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/CCVector.h"
#include "math/Vec2.h"

NS_CC_BEGIN

class Label;
class Renderer;

// The Director's statistics display as 3.17 draws it: three lines from the visible origin up,
// 22 px apart: frames a second and seconds a frame, then draw calls, then vertices. 3.17 draws
// them in a bitmap face of 12 x 32 px cells; a monospaced face sized to the same cells stands in.
class StatsDisplay
{
public:
    StatsDisplay();
    ~StatsDisplay();
    StatsDisplay(const StatsDisplay&) = delete;
    StatsDisplay& operator=(const StatsDisplay&) = delete;

    // Counts one frame that took dt seconds.
    void addFrame(float dt);
    // Queues the three lines. Call it after the scene is queued and before anything else: the
    // counts shown are those of the quads queued so far.
    void draw(Renderer* renderer, const Vec2& origin);
    // Drops the labels and with them the face; the next draw makes them again.
    void reset();

    float getFrameRate() const { return _frameRate; }
    // The text of the lines as last drawn, bottom first; empty before the first draw.
    std::vector<std::string> getLines() const;

private:
    struct Figures
    {
        float frameRate;
        float secondsPerFrame;
        size_t drawCalls;
        size_t vertices;
        bool operator==(const Figures& other) const;
    };

    void makeLines();
    Label* makeLine();
    void write(const Figures& figures);

    unsigned int _framesSinceRate = 0;
    float _timeSinceRate = 0.0f;
    float _frameRate = 0.0f;
    float _secondsPerFrame = 0.0f;

    Vector<Label*> _lines;
    std::optional<Figures> _shown;
    // Raises a label so that its baseline sits where the cell's has it.
    float _baselineLift = 0.0f;
    bool _faceFileMissing = false;
};

NS_CC_END
