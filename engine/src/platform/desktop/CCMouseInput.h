#pragma once

#include <bitset>
#include <functional>

#include "base/CCEventMouse.h"
#include "math/Vec2.h"
#include "platform/CCGLView.h"

NS_CC_BEGIN

// Turns desktop pointer input into what the scene sees: the left button as touch 0 and
// every button, move and wheel as an EventMouse, the touch always first. Positions are in
// frame coordinates (window units, origin top-left); the view's viewport and scale map
// them to design units.
class MouseInput
{
public:
    using MouseEventSink = std::function<void(EventMouse&)>;

    MouseInput(GLView& view, MouseEventSink dispatchMouseEvent);

    // Where the pointer is, without telling anyone: the position a click starts from
    // before the pointer has moved.
    void placeCursor(float x, float y);
    // button is the GLFW button number (0 left, 1 right, 2 middle, up to 7).
    void buttonChanged(int button, bool pressed);
    // Every held button let go, as when the window loses the pointer: a release the window
    // cannot hear (it was hidden meanwhile) must not leave a button held for good.
    void releaseHeldButtons();
    void cursorMoved(float x, float y);
    void scrolled(float xOffset, float yOffset);

private:
    static constexpr int kButtonCount = 8;

    // The cursor as 3.17 reports it: design units with y measured up from the viewport's
    // bottom edge, so without a design resolution y is the negated window y.
    Vec2 cursorForMouseEvent() const;
    bool cursorInsideViewport() const;
    EventMouse::MouseButton firstHeldButton() const;
    void sendTouch(void (GLView::*handler)(int, intptr_t[], float[], float[]));
    void dispatch(EventMouse::MouseEventType type, EventMouse::MouseButton button, const Vec2& scroll = Vec2::ZERO);

    GLView& _view;
    MouseEventSink _dispatchMouseEvent;
    float _x = 0.0f;
    float _y = 0.0f;
    std::bitset<kButtonCount> _held;
    bool _touchCaptured = false;
};

NS_CC_END
