#pragma once

#include "math/Mat4.h"

NS_CC_BEGIN

// The scene graph is flat: nodes transform points of the z = 0 plane.
inline Vec3 transformed(const Mat4& transform, float x, float y)
{
    Vec3 point;
    transform.transformPoint(Vec3(x, y, 0.0f), &point);
    return point;
}

NS_CC_END
