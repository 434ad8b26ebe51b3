#pragma once

#include "2d/CCAction.h"
#include "base/CCVector.h"
#include "math/Vec2.h"

NS_CC_BEGIN

// An action that runs over a duration; its first step only starts the clock.
class ActionInterval : public FiniteTimeAction
{
public:
    float getElapsed() { return _elapsed; }
    bool initWithDuration(float d);

    bool isDone() const override { return _done; }
    void step(float dt) override;
    void startWithTarget(Node* target) override;

protected:
    float _elapsed = 0.0f;
    bool _firstTick = true;
    bool _done = false;
};

class MoveBy : public ActionInterval
{
public:
    static MoveBy* create(float duration, const Vec2& deltaPosition);

    bool initWithDuration(float duration, const Vec2& deltaPosition);
    void startWithTarget(Node* target) override;
    void update(float time) override;

protected:
    Vec2 _positionDelta;
    Vec2 _startPosition;
    Vec2 _previousPosition;
};

class MoveTo : public MoveBy
{
public:
    static MoveTo* create(float duration, const Vec2& position);

    bool initWithDuration(float duration, const Vec2& position);
    void startWithTarget(Node* target) override;

protected:
    Vec2 _endPosition;
};

class DelayTime : public ActionInterval
{
public:
    static DelayTime* create(float d);
    void update(float time) override;
};

// Runs actions one after another, built as a chain of pairs.
class Sequence : public ActionInterval
{
public:
    static Sequence* create(FiniteTimeAction* action1, ...) CC_REQUIRES_NULL_TERMINATION;
    static Sequence* create(const Vector<FiniteTimeAction*>& arrayOfActions);
    static Sequence* createWithTwoActions(FiniteTimeAction* actionOne, FiniteTimeAction* actionTwo);

    ~Sequence() override;
    bool initWithTwoActions(FiniteTimeAction* actionOne, FiniteTimeAction* actionTwo);

    bool isDone() const override;
    void startWithTarget(Node* target) override;
    void stop() override;
    void update(float t) override;

private:
    FiniteTimeAction* _actions[2] = {nullptr, nullptr};
    float _split = 0.0f;
    int _last = -1;
};

NS_CC_END
