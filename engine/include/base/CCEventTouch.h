#pragma once

#include <vector>

#include "base/CCEvent.h"

NS_CC_BEGIN

class Touch;

class EventTouch : public Event
{
public:
    static const int MAX_TOUCHES = 15;

    enum class EventCode
    {
        BEGAN,
        MOVED,
        ENDED,
        CANCELLED
    };

    EventTouch() : Event(Type::TOUCH) {}

    EventCode getEventCode() const { return _eventCode; }
    void setEventCode(EventCode eventCode) { _eventCode = eventCode; }
    const std::vector<Touch*>& getTouches() const { return _touches; }
    void setTouches(const std::vector<Touch*>& touches) { _touches = touches; }

private:
    EventCode _eventCode = EventCode::BEGAN;
    std::vector<Touch*> _touches;
};

NS_CC_END
