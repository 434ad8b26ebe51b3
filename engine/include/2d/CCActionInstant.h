#pragma once

#include <functional>

#include "2d/CCAction.h"

NS_CC_BEGIN

// An action that completes on its first step.
class ActionInstant : public FiniteTimeAction
{
public:
    bool isDone() const override { return _done; }
    void step(float dt) override;
    void update(float time) override;
    void startWithTarget(Node* target) override;

protected:
    bool _done = false;
};

class CallFunc : public ActionInstant
{
public:
    static CallFunc* create(const std::function<void()>& func);
    CC_DEPRECATED_ATTRIBUTE static CallFunc* create(Ref* target, SEL_CallFunc selector);

    ~CallFunc() override;
    void update(float time) override;

protected:
    virtual void execute();

    std::function<void()> _function;
    // The selector form keeps its target alive until the action goes.
    Ref* _selectorTarget = nullptr;
};

class CallFuncN : public CallFunc
{
public:
    static CallFuncN* create(const std::function<void(Node*)>& func);
    CC_DEPRECATED_ATTRIBUTE static CallFuncN* create(Ref* target, SEL_CallFuncN selector);

protected:
    void execute() override;

    std::function<void(Node*)> _functionN;
};

NS_CC_END
