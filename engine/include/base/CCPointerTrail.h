#pragma once

#include "math/Vec2.h"

NS_CC_BEGIN

namespace detail {

// Where a pointer is, where it was at its previous report and where it was first seen, in
// window (UI) coordinates. Touch and EventMouse keep one each and report it in GL coordinates.
struct PointerTrail
{
    // The point becomes the current one and the current one the previous; the first is also the start.
    void moveTo(float x, float y);
    Vec2 location() const;
    Vec2 previousLocation() const;
    Vec2 startLocation() const;

    Vec2 point;
    Vec2 previous;
    Vec2 start;
    bool started = false;
};

} // namespace detail

NS_CC_END
