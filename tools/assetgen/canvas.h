// A tiny supersampling rasteriser: shapes are tested per sub-sample, so edges
// come out anti-aliased when the canvas is averaged down to pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Vec2 {
    float x;
    float y;
};

// Straight (not premultiplied) alpha, every channel in [0, 1].
struct Color {
    float r;
    float g;
    float b;
    float a;
};

Color hex(std::uint32_t rgb, float alpha = 1.0f);
Color mix(const Color& from, const Color& to, float t);

// Colour as a function of the position, in pixel units with y pointing down.
using Paint = std::function<Color(Vec2)>;

Paint solid(Color color);
Paint linearGradient(Vec2 from, Color fromColor, Vec2 to, Color toColor);
Paint radialGradient(Vec2 centre, Vec2 radii, Color inner, Color outer);

class Canvas {
public:
    Canvas(int width, int height);

    // Maps drawing units to pixels (pixel = point * scale + offset), so one drawing fills
    // canvases of any size; the default is the identity.
    void setTransform(float scale, Vec2 offset);

    void fillPolygon(const std::vector<Vec2>& points, const Paint& paint);
    void fillEllipse(Vec2 centre, Vec2 radii, const Paint& paint);
    // A thick line with round caps.
    void strokeLine(Vec2 from, Vec2 to, float thickness, const Paint& paint);
    // Rings everything drawn so far with a border, placed behind it.
    void outline(Color color, float thickness);

    // Straight-alpha RGBA, rows top to bottom; fully transparent pixels are all zero.
    std::vector<std::uint8_t> pixels() const;
    // Throw std::runtime_error when the picture cannot be encoded or written.
    std::vector<std::uint8_t> encodePng() const;
    void savePng(const std::string& path) const;

    int width() const { return width_; }
    int height() const { return height_; }

private:
    struct Bounds {
        float left;
        float top;
        float right;
        float bottom;
    };

    void fill(Bounds bounds, const std::function<bool(Vec2)>& inside, const Paint& paint);

    int width_;
    int height_;
    float scale_ = 1.0f;
    Vec2 offset_{0.0f, 0.0f};
    std::vector<Color> samples_;  // premultiplied, kSubsamples^2 per pixel
};

// Throws std::runtime_error when the file cannot be written.
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
