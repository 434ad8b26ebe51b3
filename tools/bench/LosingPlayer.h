#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

// Plays the game through XTest the way the playtest driver does, but to lose quickly: a short
// stretch of play with fire held and the pointer wandering, then into the top edge; "You Lose!",
// and the fresh run after it, are seen by the close button leaving the corner and coming back.
// Call step() often (every few tens of milliseconds); it never waits long itself.
class LosingPlayer
{
public:
    using Clock = std::chrono::steady_clock;

    LosingPlayer(Display* display, Window window, int width, int height);

    // Throws std::runtime_error when the game stays in one phase far longer than it should.
    void step();
    // Runs that ended in "You Lose!" and were followed by a fresh run.
    int runsRestarted() const { return _restarted; }
    // When each "You Lose!" and each fresh run was first seen.
    const std::vector<Clock::time_point>& transitions() const { return _transitions; }

private:
    enum class Phase
    {
        Playing,
        SteeringUp,
        ShowingLoss,
    };

    void enter(Phase phase);
    void moveTo(int y);

    Display* _display;
    Window _window;
    std::string _windowId;
    int _width;
    int _height;
    Phase _phase = Phase::Playing;
    Clock::time_point _phaseStart;
    Clock::time_point _nextMove;
    int _restarted = 0;
    std::vector<Clock::time_point> _transitions;
    int _wiggle = 0;
    std::mt19937 _random{11};
};
