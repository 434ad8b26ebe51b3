#include "LosingPlayer.h"

#include <stdexcept>

#include "GameProcess.h"
#include "XWindow.h"

namespace {

using std::chrono::milliseconds;

constexpr auto kPlayFor = milliseconds(1500);
constexpr auto kWanderEvery = milliseconds(500);
// A move that arrives while the craft is still steering is dropped by the game: repeat it.
constexpr auto kSteerAgainEvery = milliseconds(350);
constexpr auto kLongestPhase = std::chrono::seconds(15);
// The pointer stays right of the craft, as the playtest driver keeps it.
constexpr int kPointerX = 520;

} // namespace

LosingPlayer::LosingPlayer(Display* display, Window window, int width, int height)
    : _display(display), _window(window), _windowId(std::to_string(window)), _width(width), _height(height)
{
    enter(Phase::Playing);
}

void LosingPlayer::enter(Phase phase)
{
    _phase = phase;
    _phaseStart = _nextMove = Clock::now();
    if (phase == Phase::Playing)
    {
        // A fresh run only fires after a press of its own.
        runCommand({"xdotool", "mouseup", "1"});
        runCommand({"xdotool", "mousedown", "1"});
    }
}

void LosingPlayer::moveTo(int y)
{
    // A new position each time, so the game always sees a move.
    _wiggle ^= 1;
    runCommand({"xdotool", "mousemove", "--window", _windowId, std::to_string(kPointerX + _wiggle), std::to_string(y)});
}

void LosingPlayer::step()
{
    const Clock::time_point now = Clock::now();
    if (now - _phaseStart > kLongestPhase)
        throw std::runtime_error("the game stayed in one phase of a run for 15 s");
    const bool inRun = showsCloseButton(_display, _window, _width, _height);
    switch (_phase)
    {
    case Phase::Playing:
    case Phase::SteeringUp:
        if (!inRun)
        {
            _transitions.push_back(now);
            enter(Phase::ShowingLoss);
            return;
        }
        if (_phase == Phase::Playing && now - _phaseStart >= kPlayFor)
            enter(Phase::SteeringUp);
        if (now >= _nextMove)
        {
            std::uniform_int_distribution<int> height(120, _height - 120);
            moveTo(_phase == Phase::Playing ? height(_random) : 0);
            _nextMove = now + (_phase == Phase::Playing ? kWanderEvery : kSteerAgainEvery);
        }
        return;
    case Phase::ShowingLoss:
        if (inRun)
        {
            _transitions.push_back(now);
            ++_restarted;
            enter(Phase::Playing);
        }
        return;
    }
}
