#pragma once

#include <cstdint>

#include "math/CCGeometry.h"
#include "math/Mat4.h"

NS_CC_BEGIN

typedef uint8_t GLubyte;

struct Color4B;
struct Color4F;

struct Color3B
{
    GLubyte r = 0;
    GLubyte g = 0;
    GLubyte b = 0;

    Color3B() = default;
    Color3B(GLubyte red, GLubyte green, GLubyte blue) : r(red), g(green), b(blue) {}
    bool operator==(const Color3B& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Color3B& o) const { return !(*this == o); }

    static const Color3B WHITE, YELLOW, BLUE, GREEN, RED, MAGENTA, BLACK, ORANGE, GRAY;
};

struct Color4B
{
    GLubyte r = 0;
    GLubyte g = 0;
    GLubyte b = 0;
    GLubyte a = 0;

    Color4B() = default;
    Color4B(GLubyte red, GLubyte green, GLubyte blue, GLubyte alpha) : r(red), g(green), b(blue), a(alpha) {}
    explicit Color4B(const Color3B& c) : r(c.r), g(c.g), b(c.b), a(255) {}
    bool operator==(const Color4B& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Color4B& o) const { return !(*this == o); }

    static const Color4B WHITE, YELLOW, BLUE, GREEN, RED, MAGENTA, BLACK, ORANGE, GRAY;
};

struct Color4F
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    Color4F() = default;
    Color4F(float red, float green, float blue, float alpha) : r(red), g(green), b(blue), a(alpha) {}
    bool operator==(const Color4F& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Color4F& o) const { return !(*this == o); }

    static const Color4F WHITE, YELLOW, BLUE, GREEN, RED, MAGENTA, BLACK, ORANGE, GRAY;
};

struct Tex2F
{
    float u = 0.0f;
    float v = 0.0f;

    Tex2F() = default;
    Tex2F(float uu, float vv) : u(uu), v(vv) {}
};

// One corner of a textured quad, laid out for a single interleaved vertex buffer.
struct V3F_C4B_T2F
{
    Vec3 vertices;
    Color4B colors;
    Tex2F texCoords;
};

struct V3F_C4B_T2F_Quad
{
    V3F_C4B_T2F tl;
    V3F_C4B_T2F bl;
    V3F_C4B_T2F tr;
    V3F_C4B_T2F br;
};

enum class TextHAlignment
{
    LEFT,
    CENTER,
    RIGHT
};

enum class TextVAlignment
{
    TOP,
    CENTER,
    BOTTOM
};

NS_CC_END
