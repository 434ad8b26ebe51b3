#include "math/Vec2.h"

#include <cfloat>
#include <cmath>

NS_CC_BEGIN

const Vec2 Vec2::ZERO(0.0f, 0.0f);
const Vec2 Vec2::ONE(1.0f, 1.0f);
const Vec2 Vec2::UNIT_X(1.0f, 0.0f);
const Vec2 Vec2::UNIT_Y(0.0f, 1.0f);
const Vec2 Vec2::ANCHOR_MIDDLE(0.5f, 0.5f);
const Vec2 Vec2::ANCHOR_BOTTOM_LEFT(0.0f, 0.0f);
const Vec2 Vec2::ANCHOR_TOP_LEFT(0.0f, 1.0f);
const Vec2 Vec2::ANCHOR_BOTTOM_RIGHT(1.0f, 0.0f);
const Vec2 Vec2::ANCHOR_TOP_RIGHT(1.0f, 1.0f);
const Vec2 Vec2::ANCHOR_MIDDLE_RIGHT(1.0f, 0.5f);
const Vec2 Vec2::ANCHOR_MIDDLE_LEFT(0.0f, 0.5f);
const Vec2 Vec2::ANCHOR_MIDDLE_TOP(0.5f, 1.0f);
const Vec2 Vec2::ANCHOR_MIDDLE_BOTTOM(0.5f, 0.0f);

bool Vec2::equals(const Vec2& other) const
{
    return std::fabs(x - other.x) < FLT_EPSILON && std::fabs(y - other.y) < FLT_EPSILON;
}

bool Vec2::fuzzyEquals(const Vec2& other, float variance) const
{
    return std::fabs(x - other.x) <= variance && std::fabs(y - other.y) <= variance;
}

float Vec2::length() const
{
    return std::sqrt(lengthSquared());
}

float Vec2::distance(const Vec2& other) const
{
    return (other - *this).length();
}

float Vec2::getAngle() const
{
    return std::atan2(y, x);
}

void Vec2::normalize()
{
    const float n = lengthSquared();
    if (n == 1.0f || n < 2e-37f)
    {
        return;
    }
    const float inverse = 1.0f / std::sqrt(n);
    x *= inverse;
    y *= inverse;
}

Vec2 Vec2::getNormalized() const
{
    Vec2 v(*this);
    v.normalize();
    return v;
}

NS_CC_END
