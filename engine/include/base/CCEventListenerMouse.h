#pragma once

#include "base/CCEventListener.h"
#include "base/CCEventMouse.h"

NS_CC_BEGIN

class EventListenerMouse : public EventListener
{
public:
    static const std::string LISTENER_ID;

    static EventListenerMouse* create();

    EventListenerMouse* clone() override;
    bool checkAvailable() override { return true; }

    std::function<void(EventMouse* event)> onMouseDown;
    std::function<void(EventMouse* event)> onMouseUp;
    std::function<void(EventMouse* event)> onMouseMove;
    std::function<void(EventMouse* event)> onMouseScroll;

    CC_CONSTRUCTOR_ACCESS : EventListenerMouse();

protected:
    void onEvent(Event* event) override;
};

NS_CC_END
