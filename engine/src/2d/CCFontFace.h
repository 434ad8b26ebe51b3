#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// One rasterised glyph in whole pixels: 8-bit coverage, rows from the top.
struct GlyphBitmap
{
    int advance = 0;  // pen movement to the next glyph
    int bearingX = 0; // left edge of the bitmap, right of the pen
    int bearingY = 0; // top edge of the bitmap, above the baseline
    int width = 0;
    int height = 0;
    std::vector<unsigned char> coverage;
};

// A font file opened with FreeType at one size. Rendering is at 72 dpi, so one point of
// font size is one pixel. FreeType stays private to the implementation.
class FontFace
{
public:
    // Null, after a log line naming the file, when the file is missing, empty, truncated
    // or not a scalable font.
    static std::unique_ptr<FontFace> open(const std::string& fullPath, float fontSize);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const std::string& getPath() const;
    // (ascender − descender) at this size.
    int getLineHeight() const;
    int getAscender() const;
    // A character the face lacks renders as the face's "missing glyph" box.
    // False, with nothing filled, when FreeType cannot render it.
    bool renderGlyph(char32_t codepoint, GlyphBitmap& out) const;
    // Extra pen movement between two characters; 0 when the face has no kerning.
    int getKerning(char32_t left, char32_t right) const;

private:
    struct Impl;
    explicit FontFace(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> _impl;
};

NS_CC_END
