#include "math/CCGeometry.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

NS_CC_BEGIN

const Size Size::ZERO(0.0f, 0.0f);
const Rect Rect::ZERO(0.0f, 0.0f, 0.0f, 0.0f);

bool Size::equals(const Size& target) const
{
    return std::fabs(width - target.width) < FLT_EPSILON && std::fabs(height - target.height) < FLT_EPSILON;
}

void Rect::setRect(float x, float y, float width, float height)
{
    origin.set(x, y);
    size.setSize(width, height);
}

bool Rect::equals(const Rect& rect) const
{
    return origin.equals(rect.origin) && size.equals(rect.size);
}

bool Rect::containsPoint(const Vec2& point) const
{
    return point.x >= getMinX() && point.x <= getMaxX() && point.y >= getMinY() && point.y <= getMaxY();
}

bool Rect::intersectsRect(const Rect& rect) const
{
    return !(getMaxX() < rect.getMinX() || rect.getMaxX() < getMinX() || getMaxY() < rect.getMinY() ||
             rect.getMaxY() < getMinY());
}

bool Rect::intersectsCircle(const Vec2& center, float radius) const
{
    const Vec2 rectangleCenter(getMidX(), getMidY());
    const float w = size.width / 2.0f;
    const float h = size.height / 2.0f;
    const float dx = std::fabs(center.x - rectangleCenter.x);
    const float dy = std::fabs(center.y - rectangleCenter.y);
    if (dx > radius + w || dy > radius + h)
    {
        return false;
    }
    const Vec2 circleDistance(std::fabs(center.x - getMinX() - w), std::fabs(center.y - getMinY() - h));
    if (circleDistance.x <= w || circleDistance.y <= h)
    {
        return true;
    }
    const float cornerDistanceSq = std::pow(circleDistance.x - w, 2.0f) + std::pow(circleDistance.y - h, 2.0f);
    return cornerDistanceSq <= radius * radius;
}

Rect Rect::unionWithRect(const Rect& rect) const
{
    const float left = std::min(getMinX(), rect.getMinX());
    const float right = std::max(getMaxX(), rect.getMaxX());
    const float bottom = std::min(getMinY(), rect.getMinY());
    const float top = std::max(getMaxY(), rect.getMaxY());
    return Rect(left, bottom, right - left, top - bottom);
}

void Rect::merge(const Rect& rect)
{
    *this = unionWithRect(rect);
}

NS_CC_END
