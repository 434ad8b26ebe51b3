#include "base/CCEventMouse.h"

NS_CC_BEGIN

EventMouse::EventMouse(MouseEventType mouseEventCode) : Event(Type::MOUSE), _mouseEventType(mouseEventCode)
{
}

void EventMouse::setScrollData(float scrollX, float scrollY)
{
    _scrollX = scrollX;
    _scrollY = scrollY;
}

void EventMouse::setCursorPosition(float x, float y)
{
    _x = x;
    _y = y;
    _trail.moveTo(x, y);
}

NS_CC_END
