#pragma once

#include "base/CCRef.h"

NS_CC_BEGIN

class Node;

class Action : public Ref
{
public:
    static const int INVALID_TAG = -1;

    virtual bool isDone() const { return true; }
    virtual void startWithTarget(Node* target);
    virtual void stop();
    virtual void step(float dt);
    // time runs from 0 (start) to 1 (end).
    virtual void update(float time);

    Node* getTarget() const { return _target; }
    void setTarget(Node* target) { _target = target; }
    Node* getOriginalTarget() const { return _originalTarget; }
    void setOriginalTarget(Node* originalTarget) { _originalTarget = originalTarget; }
    int getTag() const { return _tag; }
    void setTag(int tag) { _tag = tag; }
    unsigned int getFlags() const { return _flags; }
    void setFlags(unsigned int flags) { _flags = flags; }

protected:
    Action() = default;

    Node* _originalTarget = nullptr;
    Node* _target = nullptr;
    int _tag = INVALID_TAG;
    unsigned int _flags = 0;
};

class FiniteTimeAction : public Action
{
public:
    float getDuration() const { return _duration; }
    void setDuration(float duration) { _duration = duration; }

protected:
    float _duration = 0.0f;
};

NS_CC_END
