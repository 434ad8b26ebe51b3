#include "base/CCTouch.h"

NS_CC_BEGIN

void Touch::setTouchInfo(int id, float x, float y)
{
    _id = id;
    const bool first = !_trail.started;
    _trail.moveTo(x, y);
    // A new touch has not moved yet: 3.17 starts it with no delta.
    if (first)
    {
        _trail.previous = _trail.point;
    }
}

NS_CC_END
