#include "platform/desktop/CCMouseInput.h"

#include <utility>

NS_CC_BEGIN

namespace {
constexpr int kLeftButton = 0;
constexpr intptr_t kMouseTouchId = 0;
} // namespace

MouseInput::MouseInput(GLView& view, MouseEventSink dispatchMouseEvent)
    : _view(view), _dispatchMouseEvent(std::move(dispatchMouseEvent))
{
}

void MouseInput::placeCursor(float x, float y)
{
    _x = x;
    _y = y;
}

void MouseInput::buttonChanged(int button, bool pressed)
{
    if (button < 0 || button >= kButtonCount)
    {
        return;
    }
    _held.set(static_cast<size_t>(button), pressed);

    if (button == kLeftButton)
    {
        if (pressed && !_touchCaptured && cursorInsideViewport())
        {
            _touchCaptured = true;
            sendTouch(&GLView::handleTouchesBegin);
        }
        else if (!pressed && _touchCaptured)
        {
            _touchCaptured = false;
            sendTouch(&GLView::handleTouchesEnd);
        }
    }

    dispatch(pressed ? EventMouse::MouseEventType::MOUSE_DOWN : EventMouse::MouseEventType::MOUSE_UP,
             static_cast<EventMouse::MouseButton>(button));
}

void MouseInput::releaseHeldButtons()
{
    for (int button = 0; button < kButtonCount; ++button)
    {
        if (_held.test(static_cast<size_t>(button)))
        {
            buttonChanged(button, false);
        }
    }
}

void MouseInput::cursorMoved(float x, float y)
{
    placeCursor(x, y);
    if (_touchCaptured)
    {
        sendTouch(&GLView::handleTouchesMove);
    }
    dispatch(EventMouse::MouseEventType::MOUSE_MOVE, firstHeldButton());
}

void MouseInput::scrolled(float xOffset, float yOffset)
{
    dispatch(EventMouse::MouseEventType::MOUSE_SCROLL, EventMouse::MouseButton::BUTTON_UNSET, Vec2(xOffset, -yOffset));
}

Vec2 MouseInput::cursorForMouseEvent() const
{
    const Rect& viewport = _view.getViewPortRect();
    return Vec2((_x - viewport.origin.x) / _view.getScaleX(),
                (viewport.origin.y + viewport.size.height - _y) / _view.getScaleY());
}

bool MouseInput::cursorInsideViewport() const
{
    const Rect& viewport = _view.getViewPortRect();
    return viewport.equals(Rect::ZERO) || viewport.containsPoint(Vec2(_x, _y));
}

EventMouse::MouseButton MouseInput::firstHeldButton() const
{
    for (auto button : {EventMouse::MouseButton::BUTTON_LEFT, EventMouse::MouseButton::BUTTON_RIGHT,
                        EventMouse::MouseButton::BUTTON_MIDDLE})
    {
        if (_held.test(static_cast<size_t>(button)))
        {
            return button;
        }
    }
    return EventMouse::MouseButton::BUTTON_UNSET;
}

void MouseInput::sendTouch(void (GLView::*handler)(int, intptr_t[], float[], float[]))
{
    intptr_t id = kMouseTouchId;
    float x = _x;
    float y = _y;
    (_view.*handler)(1, &id, &x, &y);
}

void MouseInput::dispatch(EventMouse::MouseEventType type, EventMouse::MouseButton button, const Vec2& scroll)
{
    EventMouse event(type);
    event.setScrollData(scroll.x, scroll.y);
    const Vec2 cursor = cursorForMouseEvent();
    event.setCursorPosition(cursor.x, cursor.y);
    event.setMouseButton(button);
    _dispatchMouseEvent(event);
}

NS_CC_END
