#pragma once

#include "math/Vec2.h"

NS_CC_BEGIN

class Vec3
{
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vec3() = default;
    Vec3(float xx, float yy, float zz) : x(xx), y(yy), z(zz) {}
};

// Column-major 4x4 matrix; the scene graph only needs 2-D affine transforms.
class Mat4
{
public:
    float m[16];

    Mat4();

    static Mat4 createTranslation(float x, float y);
    static Mat4 createScale(float sx, float sy);
    static Mat4 createRotationZ(float radians);
    static Mat4 createOrthographicOffCenter(float left, float right, float bottom, float top);

    Mat4 operator*(const Mat4& other) const;
    Vec3 transformPoint(float x, float y) const;

    static const Mat4 IDENTITY;
};

NS_CC_END
