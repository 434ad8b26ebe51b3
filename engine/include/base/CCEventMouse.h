#pragma once

#include "base/CCEvent.h"
#include "base/CCPointerTrail.h"

NS_CC_BEGIN

class EventMouse : public Event
{
public:
    enum class MouseEventType
    {
        MOUSE_NONE,
        MOUSE_DOWN,
        MOUSE_UP,
        MOUSE_MOVE,
        MOUSE_SCROLL,
    };

    enum class MouseButton
    {
        BUTTON_UNSET = -1,
        BUTTON_LEFT = 0,
        BUTTON_RIGHT = 1,
        BUTTON_MIDDLE = 2,
        BUTTON_4 = 3,
        BUTTON_5 = 4,
        BUTTON_6 = 5,
        BUTTON_7 = 6,
        BUTTON_8 = 7
    };

    explicit EventMouse(MouseEventType mouseEventCode);

    MouseEventType getMouseEventType() const { return _mouseEventType; }
    void setScrollData(float scrollX, float scrollY);
    float getScrollX() const { return _scrollX; }
    float getScrollY() const { return _scrollY; }
    void setCursorPosition(float x, float y);
    void setMouseButton(MouseButton button) { _mouseButton = button; }
    MouseButton getMouseButton() const { return _mouseButton; }
    float getCursorX() const { return _x; }
    float getCursorY() const { return _y; }

    Vec2 getLocation() const { return _trail.location(); }
    Vec2 getPreviousLocation() const { return _trail.previousLocation(); }
    Vec2 getStartLocation() const { return _trail.startLocation(); }
    Vec2 getDelta() const { return getLocation() - getPreviousLocation(); }
    Vec2 getLocationInView() const { return Vec2(_x, _y); }
    Vec2 getPreviousLocationInView() const { return _trail.previous; }
    Vec2 getStartLocationInView() const { return _trail.start; }

private:
    MouseEventType _mouseEventType;
    MouseButton _mouseButton = MouseButton::BUTTON_UNSET;
    float _x = 0.0f;
    float _y = 0.0f;
    float _scrollX = 0.0f;
    float _scrollY = 0.0f;
    detail::PointerTrail _trail;
};

NS_CC_END
