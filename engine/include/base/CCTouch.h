#pragma once

#include "base/CCRef.h"
#include "math/Vec2.h"

NS_CC_BEGIN

// One finger (or the left mouse button); points are kept in window (UI) coordinates.
class Touch : public Ref
{
public:
    Touch() = default;

    Vec2 getLocation() const;
    Vec2 getPreviousLocation() const;
    Vec2 getStartLocation() const;
    Vec2 getDelta() const;
    Vec2 getLocationInView() const { return _point; }
    Vec2 getPreviousLocationInView() const { return _prevPoint; }
    Vec2 getStartLocationInView() const { return _startPoint; }

    void setTouchInfo(int id, float x, float y);
    int getID() const { return _id; }

private:
    int _id = 0;
    bool _startPointCaptured = false;
    Vec2 _startPoint;
    Vec2 _point;
    Vec2 _prevPoint;
};

NS_CC_END
