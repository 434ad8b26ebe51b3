#pragma once

#include "base/CCPointerTrail.h"
#include "base/CCRef.h"

NS_CC_BEGIN

// One finger (or the left mouse button); points are kept in window (UI) coordinates.
class Touch : public Ref
{
public:
    Touch() = default;

    Vec2 getLocation() const { return _trail.location(); }
    Vec2 getPreviousLocation() const { return _trail.previousLocation(); }
    Vec2 getStartLocation() const { return _trail.startLocation(); }
    Vec2 getDelta() const { return getLocation() - getPreviousLocation(); }
    Vec2 getLocationInView() const { return _trail.point; }
    Vec2 getPreviousLocationInView() const { return _trail.previous; }
    Vec2 getStartLocationInView() const { return _trail.start; }

    void setTouchInfo(int id, float x, float y);
    int getID() const { return _id; }

private:
    int _id = 0;
    detail::PointerTrail _trail;
};

NS_CC_END
