#include "base/CCEventListenerTouch.h"

#include "base/CCAutoreleased.h"

NS_CC_BEGIN

const std::string EventListenerTouchOneByOne::LISTENER_ID = "__cc_touch_one_by_one";

EventListenerTouchOneByOne::EventListenerTouchOneByOne() : EventListener(Type::TOUCH_ONE_BY_ONE, LISTENER_ID)
{
}

EventListenerTouchOneByOne* EventListenerTouchOneByOne::create()
{
    return createAutoreleased<EventListenerTouchOneByOne>([](EventListenerTouchOneByOne&) { return true; });
}

EventListenerTouchOneByOne* EventListenerTouchOneByOne::clone()
{
    auto* copy = create();
    if (copy)
    {
        copy->onTouchBegan = onTouchBegan;
        copy->onTouchMoved = onTouchMoved;
        copy->onTouchEnded = onTouchEnded;
        copy->onTouchCancelled = onTouchCancelled;
        copy->_needSwallow = _needSwallow;
    }
    return copy;
}

NS_CC_END
