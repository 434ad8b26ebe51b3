#pragma once

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

class Vec2
{
public:
    float x = 0.0f;
    float y = 0.0f;

    Vec2() = default;
    Vec2(float xx, float yy) : x(xx), y(yy) {}
    explicit Vec2(const float* array) : x(array[0]), y(array[1]) {}
    // The vector from p1 to p2.
    Vec2(const Vec2& p1, const Vec2& p2) : x(p2.x - p1.x), y(p2.y - p1.y) {}

    void set(float xx, float yy)
    {
        x = xx;
        y = yy;
    }
    bool isZero() const { return x == 0.0f && y == 0.0f; }
    bool equals(const Vec2& other) const;
    bool fuzzyEquals(const Vec2& other, float variance) const;

    float length() const;
    float lengthSquared() const { return x * x + y * y; }
    float distance(const Vec2& other) const;
    float getDistance(const Vec2& other) const { return distance(other); }
    float dot(const Vec2& other) const { return x * other.x + y * other.y; }
    float cross(const Vec2& other) const { return x * other.y - y * other.x; }
    float getAngle() const;
    void normalize();
    Vec2 getNormalized() const;
    Vec2 lerp(const Vec2& target, float alpha) const { return *this * (1.0f - alpha) + target * alpha; }

    Vec2 operator+(const Vec2& v) const { return Vec2(x + v.x, y + v.y); }
    Vec2 operator-(const Vec2& v) const { return Vec2(x - v.x, y - v.y); }
    Vec2 operator-() const { return Vec2(-x, -y); }
    Vec2 operator*(float s) const { return Vec2(x * s, y * s); }
    Vec2 operator/(float s) const { return Vec2(x / s, y / s); }
    Vec2& operator+=(const Vec2& v)
    {
        x += v.x;
        y += v.y;
        return *this;
    }
    Vec2& operator-=(const Vec2& v)
    {
        x -= v.x;
        y -= v.y;
        return *this;
    }
    Vec2& operator*=(float s)
    {
        x *= s;
        y *= s;
        return *this;
    }
    bool operator==(const Vec2& v) const { return x == v.x && y == v.y; }
    bool operator!=(const Vec2& v) const { return !(*this == v); }
    bool operator<(const Vec2& v) const { return x == v.x ? y < v.y : x < v.x; }
    bool operator>(const Vec2& v) const { return x == v.x ? y > v.y : x > v.x; }

    static const Vec2 ZERO;
    static const Vec2 ONE;
    static const Vec2 UNIT_X;
    static const Vec2 UNIT_Y;
    static const Vec2 ANCHOR_MIDDLE;
    static const Vec2 ANCHOR_BOTTOM_LEFT;
    static const Vec2 ANCHOR_TOP_LEFT;
    static const Vec2 ANCHOR_BOTTOM_RIGHT;
    static const Vec2 ANCHOR_TOP_RIGHT;
    static const Vec2 ANCHOR_MIDDLE_RIGHT;
    static const Vec2 ANCHOR_MIDDLE_LEFT;
    static const Vec2 ANCHOR_MIDDLE_TOP;
    static const Vec2 ANCHOR_MIDDLE_BOTTOM;
};

inline Vec2 operator*(float s, const Vec2& v)
{
    return v * s;
}

typedef Vec2 Point;

NS_CC_END
