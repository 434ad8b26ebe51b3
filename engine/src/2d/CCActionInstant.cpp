#include "2d/CCActionInstant.h"

#include <new>

#include "2d/CCNode.h"

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
    auto* action = new (std::nothrow) CallFunc();
    if (action)
    {
        action->_function = func;
        action->autorelease();
    }
    return action;
}

CallFunc* CallFunc::create(Ref* target, SEL_CallFunc selector)
{
    auto* action = new (std::nothrow) CallFunc();
    if (action)
    {
        action->_selectorTarget = target;
        CC_SAFE_RETAIN(target);
        action->_function = [target, selector]() { (target->*selector)(); };
        action->autorelease();
    }
    return action;
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
    auto* action = new (std::nothrow) CallFuncN();
    if (action)
    {
        action->_functionN = func;
        action->autorelease();
    }
    return action;
}

CallFuncN* CallFuncN::create(Ref* target, SEL_CallFuncN selector)
{
    auto* action = new (std::nothrow) CallFuncN();
    if (action)
    {
        action->_selectorTarget = target;
        CC_SAFE_RETAIN(target);
        action->_functionN = [target, selector](Node* node) { (target->*selector)(node); };
        action->autorelease();
    }
    return action;
}

void CallFuncN::execute()
{
    if (_functionN)
    {
        _functionN(_target);
    }
}

NS_CC_END
