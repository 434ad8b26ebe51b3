#pragma once

#include "math/Vec2.h"

NS_CC_BEGIN

class Size
{
public:
    float width = 0.0f;
    float height = 0.0f;

    Size() = default;
    Size(float w, float h) : width(w), height(h) {}
    explicit Size(const Vec2& point) : width(point.x), height(point.y) {}
    operator Vec2() const { return Vec2(width, height); }

    void setSize(float w, float h)
    {
        width = w;
        height = h;
    }
    bool equals(const Size& target) const;

    Size operator+(const Size& r) const { return Size(width + r.width, height + r.height); }
    Size operator-(const Size& r) const { return Size(width - r.width, height - r.height); }
    Size operator*(float a) const { return Size(width * a, height * a); }
    Size operator/(float a) const { return Size(width / a, height / a); }

    static const Size ZERO;
};

class Rect
{
public:
    Vec2 origin;
    Size size;

    Rect() = default;
    Rect(float x, float y, float width, float height) : origin(x, y), size(width, height) {}
    Rect(const Vec2& pos, const Size& dimension) : origin(pos), size(dimension) {}

    void setRect(float x, float y, float width, float height);
    float getMinX() const { return origin.x; }
    float getMidX() const { return origin.x + size.width / 2.0f; }
    float getMaxX() const { return origin.x + size.width; }
    float getMinY() const { return origin.y; }
    float getMidY() const { return origin.y + size.height / 2.0f; }
    float getMaxY() const { return origin.y + size.height; }

    bool equals(const Rect& rect) const;
    // Edges count as inside: a point on the border is contained.
    bool containsPoint(const Vec2& point) const;
    // Touching edges and corners count as intersecting.
    bool intersectsRect(const Rect& rect) const;
    bool intersectsCircle(const Vec2& center, float radius) const;
    Rect unionWithRect(const Rect& rect) const;
    void merge(const Rect& rect);

    static const Rect ZERO;
};

NS_CC_END
