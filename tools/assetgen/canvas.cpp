#include "canvas.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace {

// Sub-samples per pixel along each axis.
constexpr int kSubsamples = 4;

float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

std::uint8_t toByte(float v) { return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0f)); }

}  // namespace

Color hex(std::uint32_t rgb, float alpha) {
    return {((rgb >> 16) & 0xff) / 255.0f, ((rgb >> 8) & 0xff) / 255.0f, (rgb & 0xff) / 255.0f, alpha};
}

Color mix(const Color& from, const Color& to, float t) {
    t = clamp01(t);
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Paint solid(Color color) {
    return [color](Vec2) { return color; };
}

Paint linearGradient(Vec2 from, Color fromColor, Vec2 to, Color toColor) {
    const Vec2 axis{to.x - from.x, to.y - from.y};
    const float lengthSquared = axis.x * axis.x + axis.y * axis.y;
    if (lengthSquared <= 0.0f) throw std::invalid_argument("linearGradient: both ends at the same point");
    return [=](Vec2 p) {
        return mix(fromColor, toColor, ((p.x - from.x) * axis.x + (p.y - from.y) * axis.y) / lengthSquared);
    };
}

Paint radialGradient(Vec2 centre, Vec2 radii, Color inner, Color outer) {
    if (radii.x <= 0.0f || radii.y <= 0.0f) throw std::invalid_argument("radialGradient: radii must be positive");
    return [=](Vec2 p) {
        const float dx = (p.x - centre.x) / radii.x;
        const float dy = (p.y - centre.y) / radii.y;
        return mix(inner, outer, std::sqrt(dx * dx + dy * dy));
    };
}

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("Canvas: size must be positive");
    samples_.assign(static_cast<std::size_t>(width * kSubsamples) * static_cast<std::size_t>(height * kSubsamples),
                    Color{0, 0, 0, 0});
}

void Canvas::setTransform(float scale, Vec2 offset) {
    if (!(scale > 0.0f)) throw std::invalid_argument("setTransform: scale must be positive");
    scale_ = scale;
    offset_ = offset;
}

void Canvas::fill(Bounds bounds, const std::function<bool(Vec2)>& inside, const Paint& paint) {
    const int columns = width_ * kSubsamples;
    const int rows = height_ * kSubsamples;
    bounds = {bounds.left * scale_ + offset_.x, bounds.top * scale_ + offset_.y, bounds.right * scale_ + offset_.x,
              bounds.bottom * scale_ + offset_.y};
    const int firstColumn = std::clamp(static_cast<int>(std::floor(bounds.left * kSubsamples)), 0, columns);
    const int lastColumn = std::clamp(static_cast<int>(std::ceil(bounds.right * kSubsamples)), 0, columns);
    const int firstRow = std::clamp(static_cast<int>(std::floor(bounds.top * kSubsamples)), 0, rows);
    const int lastRow = std::clamp(static_cast<int>(std::ceil(bounds.bottom * kSubsamples)), 0, rows);
    for (int row = firstRow; row < lastRow; ++row) {
        for (int column = firstColumn; column < lastColumn; ++column) {
            const Vec2 p{((column + 0.5f) / kSubsamples - offset_.x) / scale_,
                         ((row + 0.5f) / kSubsamples - offset_.y) / scale_};
            if (!inside(p)) continue;
            const Color src = paint(p);
            Color& dst = samples_[static_cast<std::size_t>(row) * columns + column];
            const float keep = 1.0f - src.a;
            dst = {src.r * src.a + dst.r * keep, src.g * src.a + dst.g * keep, src.b * src.a + dst.b * keep,
                   src.a + dst.a * keep};
        }
    }
}

void Canvas::fillPolygon(const std::vector<Vec2>& points, const Paint& paint) {
    if (points.size() < 3) throw std::invalid_argument("fillPolygon: needs at least three points");
    Bounds bounds{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Vec2& p : points) {
        bounds = {std::min(bounds.left, p.x), std::min(bounds.top, p.y), std::max(bounds.right, p.x),
                  std::max(bounds.bottom, p.y)};
    }
    // Even-odd rule: count the edges crossed by a ray going right.
    auto inside = [&points](Vec2 p) {
        bool in = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Vec2& a = points[i];
            const Vec2& b = points[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) in = !in;
        }
        return in;
    };
    fill(bounds, inside, paint);
}

void Canvas::fillEllipse(Vec2 centre, Vec2 radii, const Paint& paint) {
    if (radii.x <= 0.0f || radii.y <= 0.0f) throw std::invalid_argument("fillEllipse: radii must be positive");
    auto inside = [=](Vec2 p) {
        const float dx = (p.x - centre.x) / radii.x;
        const float dy = (p.y - centre.y) / radii.y;
        return dx * dx + dy * dy <= 1.0f;
    };
    fill({centre.x - radii.x, centre.y - radii.y, centre.x + radii.x, centre.y + radii.y}, inside, paint);
}

void Canvas::strokeLine(Vec2 from, Vec2 to, float thickness, const Paint& paint) {
    if (thickness <= 0.0f) throw std::invalid_argument("strokeLine: thickness must be positive");
    const float half = thickness / 2.0f;
    const Vec2 axis{to.x - from.x, to.y - from.y};
    const float lengthSquared = axis.x * axis.x + axis.y * axis.y;
    auto inside = [=](Vec2 p) {
        const float along = lengthSquared > 0.0f
                                ? clamp01(((p.x - from.x) * axis.x + (p.y - from.y) * axis.y) / lengthSquared)
                                : 0.0f;
        const float dx = p.x - (from.x + axis.x * along);
        const float dy = p.y - (from.y + axis.y * along);
        return dx * dx + dy * dy <= half * half;
    };
    fill({std::min(from.x, to.x) - half, std::min(from.y, to.y) - half, std::max(from.x, to.x) + half,
          std::max(from.y, to.y) + half},
         inside, paint);
}

void Canvas::outline(Color color, float thickness) {
    const int columns = width_ * kSubsamples;
    const int rows = height_ * kSubsamples;
    const int reach = static_cast<int>(std::lround(thickness * scale_ * kSubsamples));
    std::vector<float> alpha(samples_.size());
    std::transform(samples_.begin(), samples_.end(), alpha.begin(), [](const Color& c) { return c.a; });
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            Color& dst = samples_[static_cast<std::size_t>(row) * columns + column];
            if (dst.a >= 1.0f) continue;
            float cover = 0.0f;
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    const int r = row + dy;
                    const int c = column + dx;
                    if (r < 0 || r >= rows || c < 0 || c >= columns || dx * dx + dy * dy > reach * reach) continue;
                    cover = std::max(cover, alpha[static_cast<std::size_t>(r) * columns + c]);
                }
            }
            const float behind = color.a * cover * (1.0f - dst.a);
            dst = {dst.r + color.r * behind, dst.g + color.g * behind, dst.b + color.b * behind, dst.a + behind};
        }
    }
}

std::vector<std::uint8_t> Canvas::pixels() const {
    const int columns = width_ * kSubsamples;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width_) * height_ * 4, 0);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Color sum{0, 0, 0, 0};
            for (int sy = 0; sy < kSubsamples; ++sy) {
                for (int sx = 0; sx < kSubsamples; ++sx) {
                    const Color& s =
                        samples_[static_cast<std::size_t>(y * kSubsamples + sy) * columns + x * kSubsamples + sx];
                    sum = {sum.r + s.r, sum.g + s.g, sum.b + s.b, sum.a + s.a};
                }
            }
            std::uint8_t* out = &rgba[(static_cast<std::size_t>(y) * width_ + x) * 4];
            const std::uint8_t alpha = toByte(sum.a / (kSubsamples * kSubsamples));
            // Fully transparent pixels stay black so that no stray colour hides in them.
            if (alpha == 0) continue;
            out[0] = toByte(sum.r / sum.a);
            out[1] = toByte(sum.g / sum.a);
            out[2] = toByte(sum.b / sum.a);
            out[3] = alpha;
        }
    }
    return rgba;
}

std::vector<std::uint8_t> Canvas::encodePng() const {
    const std::vector<std::uint8_t> rgba = pixels();
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width_);
    image.height = static_cast<png_uint_32>(height_);
    image.format = PNG_FORMAT_RGBA;
    // The simplified writer adds no time chunk, so equal pixels give equal files.
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) {
        throw std::runtime_error(std::string("cannot encode PNG: ") + image.message);
    }
    std::vector<std::uint8_t> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgba.data(), 0, nullptr)) {
        throw std::runtime_error(std::string("cannot encode PNG: ") + image.message);
    }
    png.resize(size);
    return png;
}

void Canvas::savePng(const std::string& path) const { writeFile(path, encodePng()); }

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}
