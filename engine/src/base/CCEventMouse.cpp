#include "base/CCEventMouse.h"

#include "base/CCDirector.h"

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
    _prevPoint = _point;
    _point.set(x, y);
    if (!_startPointCaptured)
    {
        _startPoint = _point;
        _startPointCaptured = true;
    }
}

Vec2 EventMouse::getLocation() const
{
    return Director::getInstance()->convertToGL(_point);
}

Vec2 EventMouse::getPreviousLocation() const
{
    return Director::getInstance()->convertToGL(_prevPoint);
}

Vec2 EventMouse::getStartLocation() const
{
    return Director::getInstance()->convertToGL(_startPoint);
}

Vec2 EventMouse::getDelta() const
{
    return getLocation() - getPreviousLocation();
}

NS_CC_END
