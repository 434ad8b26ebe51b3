#include "2d/CCActionInterval.h"

#include <algorithm>
#include <cfloat>
#include <cstdarg>

#include "2d/CCActionInstant.h"
#include "2d/CCNode.h"
#include "base/CCAutoreleased.h"

NS_CC_BEGIN

namespace {
// The first step starts the clock at a hair above zero and ignores its dt.
constexpr float kFirstStepElapsed = 1e-6f;

// Pads a one-action sequence to a pair.
class ExtraAction : public ActionInstant
{
public:
    static ExtraAction* create()
    {
        return createAutoreleased<ExtraAction>([](ExtraAction&) { return true; });
    }
};
}

bool ActionInterval::initWithDuration(float d)
{
    // Zero and negative durations both finish at the first step, at their end point: for a
    // negative duration a deliberate difference from 3.17, where such a move misses its target.
    _duration = d > FLT_EPSILON ? d : FLT_EPSILON;
    _elapsed = 0.0f;
    _firstTick = true;
    _done = false;
    return true;
}

void ActionInterval::startWithTarget(Node* target)
{
    FiniteTimeAction::startWithTarget(target);
    _elapsed = 0.0f;
    _firstTick = true;
    _done = false;
}

void ActionInterval::step(float dt)
{
    if (_firstTick)
    {
        _firstTick = false;
        _elapsed = kFirstStepElapsed;
    }
    else
    {
        _elapsed += dt;
    }
    const float progress = std::max(0.0f, std::min(1.0f, _elapsed / _duration));
    update(progress);
    _done = _elapsed >= _duration;
}

MoveBy* MoveBy::create(float duration, const Vec2& deltaPosition)
{
    return createAutoreleased<MoveBy>([&](MoveBy& action) { return action.initWithDuration(duration, deltaPosition); });
}

bool MoveBy::initWithDuration(float duration, const Vec2& deltaPosition)
{
    _positionDelta = deltaPosition;
    return ActionInterval::initWithDuration(duration);
}

void MoveBy::startWithTarget(Node* target)
{
    ActionInterval::startWithTarget(target);
    _previousPosition = _startPosition = target->getPosition();
}

void MoveBy::update(float time)
{
    if (!_target)
    {
        return;
    }
    // Stackable: movement made by others since our last write is kept.
    const Vec2 current = _target->getPosition();
    _startPosition += current - _previousPosition;
    const Vec2 next = _startPosition + _positionDelta * time;
    _target->setPosition(next);
    _previousPosition = next;
}

MoveTo* MoveTo::create(float duration, const Vec2& position)
{
    return createAutoreleased<MoveTo>([&](MoveTo& action) { return action.initWithDuration(duration, position); });
}

bool MoveTo::initWithDuration(float duration, const Vec2& position)
{
    _endPosition = position;
    return ActionInterval::initWithDuration(duration);
}

void MoveTo::startWithTarget(Node* target)
{
    MoveBy::startWithTarget(target);
    _positionDelta = _endPosition - target->getPosition();
}

DelayTime* DelayTime::create(float d)
{
    return createAutoreleased<DelayTime>([&](DelayTime& action) { return action.initWithDuration(d); });
}

void DelayTime::update(float)
{
}

Sequence* Sequence::create(FiniteTimeAction* action1, ...)
{
    if (!action1)
    {
        return nullptr;
    }
    va_list params;
    va_start(params, action1);
    FiniteTimeAction* chain = action1;
    bool single = true;
    while (FiniteTimeAction* next = va_arg(params, FiniteTimeAction*))
    {
        chain = createWithTwoActions(chain, next);
        single = false;
    }
    va_end(params);
    return single ? createWithTwoActions(action1, ExtraAction::create()) : static_cast<Sequence*>(chain);
}

Sequence* Sequence::create(const Vector<FiniteTimeAction*>& arrayOfActions)
{
    if (arrayOfActions.empty())
    {
        return nullptr;
    }
    if (arrayOfActions.size() == 1)
    {
        return createWithTwoActions(arrayOfActions.at(0), ExtraAction::create());
    }
    FiniteTimeAction* chain = arrayOfActions.at(0);
    for (ssize_t i = 1; i < arrayOfActions.size(); ++i)
    {
        chain = createWithTwoActions(chain, arrayOfActions.at(i));
    }
    return static_cast<Sequence*>(chain);
}

Sequence* Sequence::createWithTwoActions(FiniteTimeAction* actionOne, FiniteTimeAction* actionTwo)
{
    return createAutoreleased<Sequence>(
        [&](Sequence& sequence) { return sequence.initWithTwoActions(actionOne, actionTwo); });
}

Sequence::~Sequence()
{
    CC_SAFE_RELEASE(_actions[0]);
    CC_SAFE_RELEASE(_actions[1]);
}

bool Sequence::initWithTwoActions(FiniteTimeAction* actionOne, FiniteTimeAction* actionTwo)
{
    if (!actionOne || !actionTwo)
    {
        return false;
    }
    ActionInterval::initWithDuration(actionOne->getDuration() + actionTwo->getDuration());
    _actions[0] = actionOne;
    _actions[1] = actionTwo;
    actionOne->retain();
    actionTwo->retain();
    return true;
}

bool Sequence::isDone() const
{
    if (dynamic_cast<ActionInstant*>(_actions[1]))
    {
        return _done && _actions[1]->isDone();
    }
    return _done;
}

void Sequence::startWithTarget(Node* target)
{
    ActionInterval::startWithTarget(target);
    const float firstDuration = _actions[0]->getDuration();
    _split = firstDuration > FLT_EPSILON ? firstDuration / _duration : 0.0f;
    _last = -1;
}

void Sequence::stop()
{
    if (_last != -1)
    {
        _actions[_last]->stop();
    }
    ActionInterval::stop();
}

void Sequence::update(float t)
{
    int found = 0;
    float localTime = 0.0f;
    if (t < _split)
    {
        localTime = _split != 0.0f ? t / _split : 1.0f;
        if (_last == 1)
        {
            _actions[1]->update(0.0f);
            _actions[1]->stop();
        }
    }
    else
    {
        found = 1;
        localTime = _split == 1.0f ? 1.0f : (t - _split) / (1.0f - _split);
        if (_last == -1)
        {
            // The first action never ran: play it through before the second starts.
            _actions[0]->startWithTarget(_target);
            _actions[0]->update(1.0f);
            _actions[0]->stop();
        }
        else if (_last == 0)
        {
            _actions[0]->update(1.0f);
            _actions[0]->stop();
        }
    }
    // An instant second action fires once, however often the pair is updated at its end.
    if (found == 1 && _last == 1 && _actions[1]->isDone() && dynamic_cast<ActionInstant*>(_actions[1]))
    {
        return;
    }
    if (found != _last)
    {
        _actions[found]->startWithTarget(_target);
    }
    _actions[found]->update(localTime);
    _last = found;
}

NS_CC_END
