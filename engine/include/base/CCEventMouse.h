#pragma once

#include "base/CCEvent.h"
#include "math/Vec2.h"

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

    Vec2 getLocation() const;
    Vec2 getPreviousLocation() const;
    Vec2 getStartLocation() const;
    Vec2 getDelta() const;
    Vec2 getLocationInView() const { return Vec2(_x, _y); }
    Vec2 getPreviousLocationInView() const { return _prevPoint; }
    Vec2 getStartLocationInView() const { return _startPoint; }

private:
    MouseEventType _mouseEventType;
    MouseButton _mouseButton = MouseButton::BUTTON_UNSET;
    float _x = 0.0f;
    float _y = 0.0f;
    float _scrollX = 0.0f;
    float _scrollY = 0.0f;
    bool _startPointCaptured = false;
    Vec2 _startPoint;
    Vec2 _point;
    Vec2 _prevPoint;
};

NS_CC_END
