#include "2d/CCFontAtlas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "2d/CCFontFace.h"
#include "base/CCConsole.h"
#include "renderer/CCShelfPacker.h"
#include "renderer/CCTexture2D.h"

NS_CC_BEGIN

namespace {

// Transparent pixels kept around every glyph so filtering never picks up a neighbour.
constexpr int kGlyphPadding = 1;
constexpr int kMinPageSide = 64;
constexpr int kFirstPageLines = 4;
constexpr int kLaterPageLines = 8;
constexpr int kMaxPageSide = 4096;

struct ReleaseRef
{
    void operator()(Ref* object) const { object->release(); }
};

int nextPowerOfTwo(int value)
{
    int power = 1;
    while (power < value)
        power *= 2;
    return power;
}

} // namespace

struct FontAtlas::Page
{
    std::unique_ptr<Texture2D, ReleaseRef> texture;
    ShelfPacker packer;
    int side;
};

namespace {

// Rasterising a face's glyphs again for every run cost tens of milliseconds at each new run.
using AtlasCache = std::map<std::pair<std::string, long>, std::shared_ptr<FontAtlas>>;

AtlasCache& cachedAtlases()
{
    static AtlasCache atlases;
    return atlases;
}

} // namespace

std::shared_ptr<FontAtlas> FontAtlas::acquire(const std::string& fullPath, float fontSize)
{
    AtlasCache& atlases = cachedAtlases();
    const auto key = std::make_pair(fullPath, std::isfinite(fontSize) ? std::lround(fontSize * 64.0f) : 0L);
    if (auto found = atlases.find(key); found != atlases.end())
        return found->second;

    std::unique_ptr<FontFace> face = FontFace::open(fullPath, fontSize);
    if (!face)
        return nullptr;
    auto atlas = std::make_shared<FontAtlas>(std::move(face));
    atlases.emplace(key, atlas);
    return atlas;
}

void FontAtlas::releaseCached()
{
    cachedAtlases().clear();
}

FontAtlas::FontAtlas(std::unique_ptr<FontFace> face) : _face(std::move(face))
{
}

FontAtlas::~FontAtlas() = default;

const FontLetter& FontAtlas::getLetter(char32_t codepoint)
{
    auto found = _letters.find(codepoint);
    if (found == _letters.end())
        found = _letters.emplace(codepoint, rasterise(codepoint)).first;
    return found->second;
}

int FontAtlas::getKerning(char32_t left, char32_t right) const
{
    return _face->getKerning(left, right);
}

int FontAtlas::getLineHeight() const
{
    return _face->getLineHeight();
}

int FontAtlas::getAscender() const
{
    return _face->getAscender();
}

const std::string& FontAtlas::getFontPath() const
{
    return _face->getPath();
}

FontLetter FontAtlas::rasterise(char32_t codepoint)
{
    FontLetter letter;
    GlyphBitmap glyph;
    if (!_face->renderGlyph(codepoint, glyph))
    {
        log("Font file '%s': character U+%04X cannot be rendered", getFontPath().c_str(),
            static_cast<unsigned>(codepoint));
        return letter;
    }
    letter.advance = glyph.advance;
    letter.bearingX = glyph.bearingX;
    letter.bearingY = glyph.bearingY;
    if (glyph.width > 0 && glyph.height > 0 && place(glyph, letter))
    {
        letter.width = glyph.width;
        letter.height = glyph.height;
    }
    return letter;
}

bool FontAtlas::place(const GlyphBitmap& glyph, FontLetter& letter)
{
    const int boxWidth = glyph.width + 2 * kGlyphPadding;
    const int boxHeight = glyph.height + 2 * kGlyphPadding;
    int x = 0;
    int y = 0;
    if (_pages.empty() || !_pages.back()->packer.insert(boxWidth, boxHeight, x, y))
    {
        if (boxWidth > kMaxPageSide || boxHeight > kMaxPageSide)
        {
            log("Font file '%s': a %dx%d glyph is too large for the atlas", getFontPath().c_str(), glyph.width,
                glyph.height);
            return false;
        }
        // Pages scale with the font. The first holds a few dozen of its glyphs, enough for the
        // digits and a word or two; only a font that needs more gets the larger later pages.
        const int linesPerPage = _pages.empty() ? kFirstPageLines : kLaterPageLines;
        const int wanted = std::max({_face->getLineHeight() * linesPerPage, boxWidth, boxHeight, kMinPageSide});
        openPage(nextPowerOfTwo(std::min(wanted, kMaxPageSide))).packer.insert(boxWidth, boxHeight, x, y);
    }
    Page& page = *_pages.back();
    x += kGlyphPadding;
    y += kGlyphPadding;

    std::vector<unsigned char> rgba(glyph.coverage.size() * 4, 255);
    for (size_t i = 0; i < glyph.coverage.size(); ++i)
        rgba[i * 4 + 3] = glyph.coverage[i];
    page.texture->updateRGBA(rgba.data(), x, y, glyph.width, glyph.height);

    const float side = static_cast<float>(page.side);
    letter.page = page.texture.get();
    letter.uvTopLeft = Tex2F(x / side, y / side);
    letter.uvBottomRight = Tex2F((x + glyph.width) / side, (y + glyph.height) / side);
    return true;
}

FontAtlas::Page& FontAtlas::openPage(int side)
{
    // White everywhere, so the label's colour tints it; alpha carries the glyph coverage.
    std::vector<unsigned char> clear(static_cast<size_t>(side) * side * 4, 255);
    for (size_t alpha = 3; alpha < clear.size(); alpha += 4)
        clear[alpha] = 0;
    std::unique_ptr<Texture2D, ReleaseRef> texture(new Texture2D());
    texture->initWithRGBA(std::move(clear), side, side);
    _pages.push_back(std::make_unique<Page>(Page{std::move(texture), ShelfPacker(side), side}));
    return *_pages.back();
}

NS_CC_END
