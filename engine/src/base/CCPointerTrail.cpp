#include "base/CCPointerTrail.h"

#include "base/CCDirector.h"

NS_CC_BEGIN

namespace detail {

void PointerTrail::moveTo(float x, float y)
{
    previous = point;
    point.set(x, y);
    if (!started)
    {
        start = point;
        started = true;
    }
}

Vec2 PointerTrail::location() const
{
    return Director::getInstance()->convertToGL(point);
}

Vec2 PointerTrail::previousLocation() const
{
    return Director::getInstance()->convertToGL(previous);
}

Vec2 PointerTrail::startLocation() const
{
    return Director::getInstance()->convertToGL(start);
}

} // namespace detail

NS_CC_END
