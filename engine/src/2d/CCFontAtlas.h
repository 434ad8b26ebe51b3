#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/ccTypes.h"

NS_CC_BEGIN

class FontFace;
struct GlyphBitmap;
class Texture2D;

// How one character moves the pen and where its picture sits in the atlas, in pixels.
struct FontLetter
{
    int advance = 0;
    int bearingX = 0; // left edge of the picture, right of the pen
    int bearingY = 0; // top edge of the picture, above the baseline
    int width = 0;
    int height = 0;
    Texture2D* page = nullptr; // null when there is nothing to draw, as for a space
    Tex2F uvTopLeft;
    Tex2F uvBottomRight;
};

// The glyphs of one font file at one size, rasterised on first use into RGBA pages (white,
// alpha = coverage). Every label of that font and size draws from the same pages, so their
// quads batch into one draw call. Pages stay on the CPU until a GL context draws them.
class FontAtlas
{
public:
    // The shared atlas for (file, size), made on first request and kept until releaseCached(),
    // so the labels of a new run find their glyphs ready. Null, after a log line naming the
    // file, when the font cannot be loaded.
    static std::shared_ptr<FontAtlas> acquire(const std::string& fullPath, float fontSize);
    // Drops the cache's hold on every atlas (the Director does at its end); labels still
    // alive keep theirs.
    static void releaseCached();

    explicit FontAtlas(std::unique_ptr<FontFace> face);
    ~FontAtlas();
    FontAtlas(const FontAtlas&) = delete;
    FontAtlas& operator=(const FontAtlas&) = delete;

    const FontLetter& getLetter(char32_t codepoint);
    int getKerning(char32_t left, char32_t right) const;
    int getLineHeight() const;
    int getAscender() const;
    const std::string& getFontPath() const;

    size_t getPageCount() const { return _pages.size(); }

private:
    struct Page;
    FontLetter rasterise(char32_t codepoint);
    bool place(const GlyphBitmap& glyph, FontLetter& letter);
    Page& openPage(int side);

    std::unique_ptr<FontFace> _face;
    std::vector<std::unique_ptr<Page>> _pages;
    std::unordered_map<char32_t, FontLetter> _letters;
};

NS_CC_END
