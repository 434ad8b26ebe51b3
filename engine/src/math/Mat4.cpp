#include "math/Mat4.h"

#include <cmath>

NS_CC_BEGIN

const Mat4 Mat4::IDENTITY;

Mat4::Mat4() : m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}
{
}

Mat4 Mat4::createTranslation(float x, float y)
{
    Mat4 t;
    t.m[12] = x;
    t.m[13] = y;
    return t;
}

Mat4 Mat4::createScale(float sx, float sy)
{
    Mat4 s;
    s.m[0] = sx;
    s.m[5] = sy;
    return s;
}

Mat4 Mat4::createRotationZ(float radians)
{
    Mat4 r;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    r.m[0] = c;
    r.m[1] = s;
    r.m[4] = -s;
    r.m[5] = c;
    return r;
}

Mat4 Mat4::createOrthographicOffCenter(float left, float right, float bottom, float top)
{
    Mat4 o;
    o.m[0] = 2.0f / (right - left);
    o.m[5] = 2.0f / (top - bottom);
    o.m[10] = -1.0f;
    o.m[12] = -(right + left) / (right - left);
    o.m[13] = -(top + bottom) / (top - bottom);
    return o;
}

Mat4 Mat4::operator*(const Mat4& other) const
{
    Mat4 product;
    for (int column = 0; column < 4; ++column)
    {
        for (int row = 0; row < 4; ++row)
        {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
            {
                sum += m[k * 4 + row] * other.m[column * 4 + k];
            }
            product.m[column * 4 + row] = sum;
        }
    }
    return product;
}

Vec3 Mat4::transformPoint(float x, float y) const
{
    return Vec3(m[0] * x + m[4] * y + m[12], m[1] * x + m[5] * y + m[13], m[2] * x + m[6] * y + m[14]);
}

NS_CC_END
