#include "renderer/CCSpriteAtlas.h"

#include <algorithm>
#include <vector>

#include "internal/GLContext.h"
#include "renderer/CCTexture2D.h"

NS_CC_BEGIN

namespace {

// The page starts at what a small game's pictures fill and doubles, up to the largest, each
// time it runs out of room.
constexpr int kFirstPageSide = 256;
constexpr int kLargestPageSide = 512;
// Larger pictures keep their own texture; a few of them would fill the page.
constexpr int kLargestSide = 128;
constexpr int kBorder = 1;
constexpr int kWhiteSide = 2;
constexpr size_t kBytesPerPixel = 4;

} // namespace

void SpriteAtlas::ReleaseTexture::operator()(Texture2D* texture) const
{
    texture->release();
}

SpriteAtlas::SpriteAtlas() : _page(new Texture2D()), _side(kFirstPageSide)
{
    empty();
}

SpriteAtlas::~SpriteAtlas() = default;

void SpriteAtlas::empty()
{
    const auto pixels = static_cast<size_t>(_side) * static_cast<size_t>(_side);
    _page->initWithRGBA(std::vector<unsigned char>(pixels * kBytesPerPixel, 0), _side, _side);
    _entries.clear();
    _packer = ShelfPacker(_side);
    _full = false;
    _glGeneration = gl::generation();
    int x = 0;
    int y = 0;
    reserve(kWhiteSide, kWhiteSide, x, y);
    copyIn(std::vector<unsigned char>(kWhiteSide * kWhiteSide * kBytesPerPixel, 255).data(), kWhiteSide, kWhiteSide, x,
           y);
    // The centre of the white square: any texture coordinate lands on white.
    const auto side = static_cast<float>(_side);
    const float centreX = (static_cast<float>(x) + kWhiteSide / 2.0f) / side;
    const float centreY = (static_cast<float>(y) + kWhiteSide / 2.0f) / side;
    _white = {centreX, centreY, centreX, centreY};
}

void SpriteAtlas::startFrame()
{
    if (!_full)
        return;
    _side = std::min(_side * 2, kLargestPageSide);
    empty();
}

const SpriteAtlas::Place* SpriteAtlas::placeOf(const Texture2D* texture)
{
    if (_glGeneration != gl::generation())
    {
        // The page went to GL with a context that is gone, and only GL held its pixels.
        empty();
    }
    if (texture == nullptr)
        return &_white;
    auto found = _entries.find(texture->getSerial());
    // A texture whose pixels changed after they were first set is an atlas of its own (a
    // font's glyph page): copied in again at each change, it would crowd the pictures out.
    if (texture->getPixelVersion() != 1)
    {
        if (found != _entries.end())
            _entries.erase(found);
        return nullptr;
    }
    if (found != _entries.end())
        return &found->second;

    const int width = texture->getPixelsWide();
    const int height = texture->getPixelsHigh();
    const std::vector<unsigned char>& pixels = texture->getPixelsOnCpu();
    if (width > kLargestSide || height > kLargestSide || pixels.empty())
        return nullptr;
    int x = 0;
    int y = 0;
    if (!reserve(width, height, x, y))
    {
        _full = true;
        return nullptr;
    }
    copyIn(pixels.data(), width, height, x, y);
    const auto side = static_cast<float>(_side);
    return &(_entries[texture->getSerial()] = {static_cast<float>(x) / side, static_cast<float>(y) / side,
                                               static_cast<float>(x + width) / side,
                                               static_cast<float>(y + height) / side});
}

// Room is only reclaimed by emptying the whole page.
bool SpriteAtlas::reserve(int width, int height, int& x, int& y)
{
    int cellX = 0;
    int cellY = 0;
    if (!_packer.insert(width + 2 * kBorder, height + 2 * kBorder, cellX, cellY))
        return false;
    x = cellX + kBorder;
    y = cellY + kBorder;
    return true;
}

// The picture and its border, each border pixel a copy of the nearest edge pixel.
void SpriteAtlas::copyIn(const unsigned char* rgba, int width, int height, int x, int y)
{
    const int cellWidth = width + 2 * kBorder;
    const int cellHeight = height + 2 * kBorder;
    std::vector<unsigned char> cell(static_cast<size_t>(cellWidth) * cellHeight * kBytesPerPixel);
    for (int row = 0; row < cellHeight; ++row)
    {
        const int sourceRow = std::clamp(row - kBorder, 0, height - 1);
        for (int column = 0; column < cellWidth; ++column)
        {
            const int sourceColumn = std::clamp(column - kBorder, 0, width - 1);
            const unsigned char* from = rgba + (static_cast<size_t>(sourceRow) * width + sourceColumn) * kBytesPerPixel;
            std::copy(from, from + kBytesPerPixel,
                      cell.begin() + (static_cast<ptrdiff_t>(row) * cellWidth + column) * kBytesPerPixel);
        }
    }
    _page->updateRGBA(cell.data(), x - kBorder, y - kBorder, cellWidth, cellHeight);
}

NS_CC_END
