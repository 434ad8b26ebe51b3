#include "2d/CCLabel.h"

#include <algorithm>

#include "2d/CCFontAtlas.h"
#include "2d/CCUTF8Decoder.h"
#include "base/CCAutoreleased.h"
#include "base/CCConsole.h"
#include "internal/OperatingSystem.h"
#include "math/CCTransform2D.h"
#include "platform/CCFileUtils.h"
#include "renderer/CCRenderer.h"

NS_CC_BEGIN

namespace {

// The atlas for a TTF file, or null after a log line naming the file.
std::shared_ptr<FontAtlas> ttfAtlas(const std::string& fontFilePath, float fontSize)
{
    FileUtils* files = FileUtils::getInstance();
    const std::string fullPath = files->fullPathForFilename(fontFilePath);
    if (fullPath.empty() || !files->isFileExist(fullPath))
    {
        log("Label: font file '%s' not found", fontFilePath.c_str());
        return nullptr;
    }
    return FontAtlas::acquire(fullPath, fontSize);
}

// The requested face first, then the default sans face, so that a system-font label shows
// its text whenever any usable font is installed.
std::shared_ptr<FontAtlas> systemFontAtlas(const std::string& font, float fontSize)
{
    std::vector<std::string> candidates{findSystemFontFile(font)};
    if (const std::string fallback = findSystemFontFile(""); fallback != candidates.front())
        candidates.push_back(fallback);
    for (const std::string& path : candidates)
    {
        if (path.empty())
            continue;
        if (std::shared_ptr<FontAtlas> atlas = FontAtlas::acquire(path, fontSize))
            return atlas;
    }
    log("Label: no usable system font for '%s' at size %g; the label stays empty", font.c_str(),
        static_cast<double>(fontSize));
    return nullptr;
}

} // namespace

Label* Label::create()
{
    return createWithSystemFont("", "", CC_DEFAULT_FONT_LABEL_SIZE);
}

Label* Label::createWithTTF(const std::string& text, const std::string& fontFilePath, float fontSize,
                            const Size& dimensions, TextHAlignment hAlignment, TextVAlignment vAlignment)
{
    std::shared_ptr<FontAtlas> atlas = ttfAtlas(fontFilePath, fontSize);
    if (!atlas)
        return nullptr;
    Label* label = createWithAtlas(std::move(atlas), text, dimensions, hAlignment, vAlignment);
    label->_ttfConfig = TTFConfig(fontFilePath, fontSize);
    return label;
}

Label* Label::createWithTTF(const TTFConfig& ttfConfig, const std::string& text, TextHAlignment hAlignment,
                            int maxLineWidth)
{
    std::shared_ptr<FontAtlas> atlas = ttfAtlas(ttfConfig.fontFilePath, ttfConfig.fontSize);
    if (!atlas)
        return nullptr;
    Label* label = createWithAtlas(std::move(atlas), text, Size::ZERO, hAlignment, TextVAlignment::TOP);
    label->setMaxLineWidth(static_cast<float>(maxLineWidth));
    label->_ttfConfig = ttfConfig;
    return label;
}

Label* Label::createWithSystemFont(const std::string& text, const std::string& font, float fontSize,
                                   const Size& dimensions, TextHAlignment hAlignment, TextVAlignment vAlignment)
{
    return createWithAtlas(systemFontAtlas(font, fontSize), text, dimensions, hAlignment, vAlignment);
}

Label* Label::createWithAtlas(std::shared_ptr<FontAtlas> atlas, const std::string& text, const Size& dimensions,
                              TextHAlignment hAlignment, TextVAlignment vAlignment)
{
    return createAutoreleased<Label>([&](Label& label) {
        if (!label.init())
            return false;
        label._atlas = std::move(atlas);
        label._text = text;
        label._hAlignment = hAlignment;
        label._vAlignment = vAlignment;
        label.setDimensions(dimensions.width, dimensions.height);
        return true;
    });
}

Label::Label()
{
    setAnchorPoint(Vec2::ANCHOR_MIDDLE);
}

Label::~Label() = default;

void Label::setString(const std::string& text)
{
    if (text == _text)
        return;
    _text = text;
    markLayoutDirty();
}

void Label::setAlignment(TextHAlignment hAlignment)
{
    setAlignment(hAlignment, _vAlignment);
}

void Label::setAlignment(TextHAlignment hAlignment, TextVAlignment vAlignment)
{
    if (hAlignment == _hAlignment && vAlignment == _vAlignment)
        return;
    _hAlignment = hAlignment;
    _vAlignment = vAlignment;
    markLayoutDirty();
}

void Label::setDimensions(float width, float height)
{
    const Size dimensions(std::max(width, 0.0f), std::max(height, 0.0f));
    if (dimensions.equals(_dimensions))
        return;
    _dimensions = dimensions;
    markLayoutDirty();
}

void Label::setMaxLineWidth(float maxLineWidth)
{
    maxLineWidth = std::max(maxLineWidth, 0.0f);
    if (maxLineWidth == _maxLineWidth)
        return;
    _maxLineWidth = maxLineWidth;
    markLayoutDirty();
}

float Label::getLineHeight() const
{
    return _atlas ? static_cast<float>(_atlas->getLineHeight()) : 0.0f;
}

const Size& Label::getContentSize() const
{
    const_cast<Label*>(this)->updateLayout();
    return Node::getContentSize();
}

Rect Label::getBoundingBox() const
{
    const_cast<Label*>(this)->updateLayout();
    return Node::getBoundingBox();
}

void Label::visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags)
{
    // The transform depends on the content size through the anchor, so lay out first.
    updateLayout();
    Node::visit(renderer, parentTransform, parentFlags);
}

void Label::draw(Renderer* renderer, const Mat4& transform, uint32_t /*flags*/)
{
    const Color4B color = tintedColor();
    if (color.a == 0)
        return;
    for (const PlacedGlyph& glyph : _glyphs)
    {
        const float left = glyph.bounds.getMinX();
        const float right = glyph.bounds.getMaxX();
        const float bottom = glyph.bounds.getMinY();
        const float top = glyph.bounds.getMaxY();
        const Tex2F& uv0 = glyph.uvTopLeft;
        const Tex2F& uv1 = glyph.uvBottomRight;
        V3F_C4B_T2F_Quad quad;
        quad.tl = {transformed(transform, left, top), color, uv0};
        quad.bl = {transformed(transform, left, bottom), color, Tex2F(uv0.u, uv1.v)};
        quad.tr = {transformed(transform, right, top), color, Tex2F(uv1.u, uv0.v)};
        quad.br = {transformed(transform, right, bottom), color, uv1};
        renderer->addQuad(glyph.page, quad);
    }
}

Color4B Label::tintedColor() const
{
    auto scale = [](GLubyte a, GLubyte b) { return static_cast<GLubyte>(a * b / 255); };
    return Color4B(scale(_textColor.r, _color.r), scale(_textColor.g, _color.g), scale(_textColor.b, _color.b),
                   scale(_textColor.a, _opacity));
}

void Label::updateLayout()
{
    if (!_layoutDirty)
        return;
    _layoutDirty = false;
    _glyphs.clear();
    if (!_atlas || _text.empty())
    {
        Node::setContentSize(Size::ZERO);
        return;
    }

    const std::vector<std::u32string> lines = breakLines();
    std::vector<float> widths;
    for (const std::u32string& line : lines)
        widths.push_back(measure(line));
    const float lineHeight = getLineHeight();
    const float textWidth = *std::max_element(widths.begin(), widths.end());
    const float textHeight = lineHeight * lines.size();
    const Size size(_dimensions.width > 0 ? _dimensions.width : textWidth,
                    _dimensions.height > 0 ? _dimensions.height : textHeight);

    float textTop = size.height;
    if (_vAlignment == TextVAlignment::CENTER)
        textTop = (size.height + textHeight) / 2;
    else if (_vAlignment == TextVAlignment::BOTTOM)
        textTop = textHeight;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        float penX = 0.0f;
        if (_hAlignment == TextHAlignment::CENTER)
            penX = (size.width - widths[i]) / 2;
        else if (_hAlignment == TextHAlignment::RIGHT)
            penX = size.width - widths[i];
        placeLine(lines[i], penX, textTop - lineHeight * i - _atlas->getAscender());
    }
    Node::setContentSize(size);
}

std::vector<std::u32string> Label::breakLines() const
{
    std::vector<std::u32string> paragraphs(1);
    for (char32_t c : decodeUTF8(_text))
    {
        if (c == U'\n')
            paragraphs.emplace_back();
        else if (c >= 0x20 && c != 0x7F)
            paragraphs.back().push_back(c);
    }
    const float maxWidth = _dimensions.width > 0 ? _dimensions.width : _maxLineWidth;
    if (maxWidth <= 0)
        return paragraphs;

    // Greedy wrapping: a line ends at its last space that keeps it within the width, or
    // mid-word when a single word is wider than the label. Spaces may overhang the edge.
    std::vector<std::u32string> lines;
    for (const std::u32string& paragraph : paragraphs)
    {
        size_t start = 0;
        while (true)
        {
            size_t end = start;
            size_t lastSpace = std::u32string::npos;
            float penX = 0.0f;
            for (char32_t previous = 0; end < paragraph.size(); previous = paragraph[end++])
            {
                const char32_t c = paragraph[end];
                const float next = penX + (previous ? _atlas->getKerning(previous, c) : 0) +
                                   _atlas->getLetter(c).advance;
                if (next > maxWidth && end > start && c != U' ')
                    break;
                if (c == U' ')
                    lastSpace = end;
                penX = next;
            }
            if (end == paragraph.size())
            {
                lines.push_back(paragraph.substr(start));
                break;
            }
            if (lastSpace != std::u32string::npos && lastSpace > start)
            {
                lines.push_back(paragraph.substr(start, lastSpace - start));
                start = lastSpace + 1;
            }
            else
            {
                lines.push_back(paragraph.substr(start, end - start));
                start = end;
            }
        }
    }
    return lines;
}

float Label::measure(const std::u32string& line) const
{
    float width = 0.0f;
    for (size_t i = 0; i < line.size(); ++i)
    {
        if (i > 0)
            width += _atlas->getKerning(line[i - 1], line[i]);
        width += _atlas->getLetter(line[i]).advance;
    }
    return width;
}

void Label::placeLine(const std::u32string& line, float penX, float baseline)
{
    for (size_t i = 0; i < line.size(); ++i)
    {
        if (i > 0)
            penX += _atlas->getKerning(line[i - 1], line[i]);
        const FontLetter& letter = _atlas->getLetter(line[i]);
        if (letter.page)
        {
            const Rect bounds(penX + letter.bearingX, baseline + letter.bearingY - letter.height,
                              static_cast<float>(letter.width), static_cast<float>(letter.height));
            _glyphs.push_back({bounds, letter.page, letter.uvTopLeft, letter.uvBottomRight});
        }
        penX += letter.advance;
    }
}

NS_CC_END
