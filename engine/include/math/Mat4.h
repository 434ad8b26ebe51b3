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

// Column-major 4x4 matrix; angles in radians, results through dst.
class Mat4
{
public:
    float m[16];

    Mat4();

    static void createScale(const Vec3& scale, Mat4* dst);
    static void createScale(float xScale, float yScale, float zScale, Mat4* dst);
    static void createRotationZ(float angle, Mat4* dst);
    static void createTranslation(const Vec3& translation, Mat4* dst);
    static void createTranslation(float xTranslation, float yTranslation, float zTranslation, Mat4* dst);

    Mat4 operator*(const Mat4& other) const;
    void transformPoint(Vec3* point) const;
    void transformPoint(const Vec3& point, Vec3* dst) const;

    static const Mat4 IDENTITY;
};

NS_CC_END
