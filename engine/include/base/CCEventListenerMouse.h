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
    void onEvent(Event* event) override;

    std::function<void(EventMouse* event)> onMouseDown;
    std::function<void(EventMouse* event)> onMouseUp;
    std::function<void(EventMouse* event)> onMouseMove;
    std::function<void(EventMouse* event)> onMouseScroll;

protected:
    EventListenerMouse();
};

NS_CC_END
