#include "math/Mat4.h"

#include <cmath>

NS_CC_BEGIN

const Mat4 Mat4::IDENTITY;

Mat4::Mat4() : m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}
{
}

void Mat4::createScale(const Vec3& scale, Mat4* dst)
{
    createScale(scale.x, scale.y, scale.z, dst);
}

void Mat4::createScale(float xScale, float yScale, float zScale, Mat4* dst)
{
    *dst = Mat4();
    dst->m[0] = xScale;
    dst->m[5] = yScale;
    dst->m[10] = zScale;
}

void Mat4::createRotationZ(float angle, Mat4* dst)
{
    *dst = Mat4();
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    dst->m[0] = c;
    dst->m[1] = s;
    dst->m[4] = -s;
    dst->m[5] = c;
}

void Mat4::createTranslation(const Vec3& translation, Mat4* dst)
{
    createTranslation(translation.x, translation.y, translation.z, dst);
}

void Mat4::createTranslation(float xTranslation, float yTranslation, float zTranslation, Mat4* dst)
{
    *dst = Mat4();
    dst->m[12] = xTranslation;
    dst->m[13] = yTranslation;
    dst->m[14] = zTranslation;
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

void Mat4::transformPoint(Vec3* point) const
{
    transformPoint(*point, point);
}

void Mat4::transformPoint(const Vec3& point, Vec3* dst) const
{
    // A point has w = 1, so the translation applies; dst may alias point.
    const float x = point.x, y = point.y, z = point.z;
    dst->x = m[0] * x + m[4] * y + m[8] * z + m[12];
    dst->y = m[1] * x + m[5] * y + m[9] * z + m[13];
    dst->z = m[2] * x + m[6] * y + m[10] * z + m[14];
}

NS_CC_END
