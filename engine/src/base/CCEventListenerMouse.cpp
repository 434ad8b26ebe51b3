#include "base/CCEventListenerMouse.h"

#include "base/CCAutoreleased.h"

NS_CC_BEGIN

const std::string EventListenerMouse::LISTENER_ID = "__cc_mouse";

EventListenerMouse::EventListenerMouse() : EventListener(Type::MOUSE, LISTENER_ID)
{
}

EventListenerMouse* EventListenerMouse::create()
{
    return createAutoreleased<EventListenerMouse>([](EventListenerMouse&) { return true; });
}

EventListenerMouse* EventListenerMouse::clone()
{
    auto* copy = create();
    if (copy)
    {
        copy->onMouseDown = onMouseDown;
        copy->onMouseUp = onMouseUp;
        copy->onMouseMove = onMouseMove;
        copy->onMouseScroll = onMouseScroll;
    }
    return copy;
}

void EventListenerMouse::onEvent(Event* event)
{
    auto* mouseEvent = static_cast<EventMouse*>(event);
    const std::function<void(EventMouse*)>* handler = nullptr;
    switch (mouseEvent->getMouseEventType())
    {
    case EventMouse::MouseEventType::MOUSE_DOWN: handler = &onMouseDown; break;
    case EventMouse::MouseEventType::MOUSE_UP: handler = &onMouseUp; break;
    case EventMouse::MouseEventType::MOUSE_MOVE: handler = &onMouseMove; break;
    case EventMouse::MouseEventType::MOUSE_SCROLL: handler = &onMouseScroll; break;
    case EventMouse::MouseEventType::MOUSE_NONE: break;
    }
    if (handler && *handler)
    {
        (*handler)(mouseEvent);
    }
}

NS_CC_END
