#include "2d/CCActionInstant.h"

#include "2d/CCNode.h"
#include "base/CCAutoreleased.h"

NS_CC_BEGIN

void ActionInstant::startWithTarget(Node* target)
{
    FiniteTimeAction::startWithTarget(target);
    _done = false;
}

void ActionInstant::step(float)
{
    update(1.0f);
}

void ActionInstant::update(float)
{
    _done = true;
}

CallFunc* CallFunc::create(const std::function<void()>& func)
{
    return createAutoreleased<CallFunc>([&](CallFunc& action) {
        action._function = func;
        return true;
    });
}

CallFunc* CallFunc::create(Ref* target, SEL_CallFunc selector)
{
    return createAutoreleased<CallFunc>([&](CallFunc& action) {
        action._selectorTarget = target;
        CC_SAFE_RETAIN(target);
        action._function = [target, selector]() { (target->*selector)(); };
        return true;
    });
}

CallFunc::~CallFunc()
{
    CC_SAFE_RELEASE(_selectorTarget);
}

void CallFunc::update(float time)
{
    ActionInstant::update(time);
    execute();
}

void CallFunc::execute()
{
    if (_function)
    {
        _function();
    }
}

CallFuncN* CallFuncN::create(const std::function<void(Node*)>& func)
{
    return createAutoreleased<CallFuncN>([&](CallFuncN& action) {
        action._functionN = func;
        return true;
    });
}

CallFuncN* CallFuncN::create(Ref* target, SEL_CallFuncN selector)
{
    return createAutoreleased<CallFuncN>([&](CallFuncN& action) {
        action._selectorTarget = target;
        CC_SAFE_RETAIN(target);
        action._functionN = [target, selector](Node* node) { (target->*selector)(node); };
        return true;
    });
}

void CallFuncN::execute()
{
    if (_functionN)
    {
        _functionN(_target);
    }
}

NS_CC_END
