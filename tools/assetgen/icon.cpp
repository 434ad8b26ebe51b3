#include "icon.h"

#include <stdexcept>

namespace {

constexpr int kLargestBitmap = 255;

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

// BITMAPINFOHEADER, colour rows, then the 1-bit transparency mask; both bottom-up, the
// header's height counting both.
std::vector<std::uint8_t> encodeBitmap(const Canvas& picture) {
    const int size = picture.width();
    const std::vector<std::uint8_t> rgba = picture.pixels();
    const int maskStride = (size + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, static_cast<std::uint32_t>(size * 2));
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
    put32(out, 0);   // BI_RGB
    put32(out, static_cast<std::uint32_t>(size * size * 4 + maskStride * size));
    for (int unused = 0; unused < 4; ++unused) put32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < size; ++x) {
            if (rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3] == 0) row[x / 8] |= 0x80 >> (x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> encodeIco(const std::vector<Canvas>& pictures) {
    std::vector<std::vector<std::uint8_t>> images;
    for (const Canvas& picture : pictures) {
        if (picture.width() != picture.height() || picture.width() > 256) {
            throw std::invalid_argument("encodeIco: pictures must be square and at most 256 px");
        }
        images.push_back(picture.width() > kLargestBitmap ? picture.encodePng() : encodeBitmap(picture));
    }
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // icon, not cursor
    put16(out, static_cast<unsigned>(pictures.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const int size = pictures[i].width();
        out.push_back(static_cast<std::uint8_t>(size & 0xff));  // 256 is written as 0
        out.push_back(static_cast<std::uint8_t>(size & 0xff));
        out.push_back(0);  // no palette
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const std::vector<std::uint8_t>& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}
