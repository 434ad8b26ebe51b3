#pragma once

#include <memory>
#include <string>
#include <vector>

#include "2d/CCLabelProtocol.h"
#include "2d/CCNode.h"
#include "base/ccConfig.h"

NS_CC_BEGIN

class FontAtlas;
class Texture2D;

// How a TTF label is made: the font file and the size. 3.17's glyph sets, distance field,
// outline and styles are not offered, as nothing here draws them.
typedef struct _ttfConfig
{
    std::string fontFilePath;
    float fontSize;

    _ttfConfig(const std::string& filePath = "", float size = CC_DEFAULT_FONT_LABEL_SIZE)
        : fontFilePath(filePath), fontSize(size)
    {
    }
} TTFConfig;

// Text drawn from a shared glyph atlas, one quad per visible glyph. The layout is worked
// out lazily, the first time the size is asked for or the label is drawn after a change.
class Label : public Node, public LabelProtocol
{
public:
    // A label in the default system font at the default size.
    static Label* create();
    // Null, after a log line naming the file, when the font file is missing or cannot be loaded.
    static Label* createWithTTF(const std::string& text, const std::string& fontFilePath, float fontSize,
                                const Size& dimensions = Size::ZERO, TextHAlignment hAlignment = TextHAlignment::LEFT,
                                TextVAlignment vAlignment = TextVAlignment::TOP);
    static Label* createWithTTF(const TTFConfig& ttfConfig, const std::string& text,
                                TextHAlignment hAlignment = TextHAlignment::LEFT, int maxLineWidth = 0);
    // Never null: an unknown or unusable font falls back to the default sans face, and with
    // no font at all the label stays empty.
    static Label* createWithSystemFont(const std::string& text, const std::string& font, float fontSize,
                                       const Size& dimensions = Size::ZERO,
                                       TextHAlignment hAlignment = TextHAlignment::LEFT,
                                       TextVAlignment vAlignment = TextVAlignment::TOP);

    Label();
    ~Label() override;

    void setString(const std::string& text) override;
    const std::string& getString() const override { return _text; }

    void setTextColor(const Color4B& color) { _textColor = color; }
    void setAlignment(TextHAlignment hAlignment);
    void setAlignment(TextHAlignment hAlignment, TextVAlignment vAlignment);
    TextHAlignment getHorizontalAlignment() const { return _hAlignment; }
    // A width above 0 fixes the label's width and wraps lines at spaces to fit it; a height
    // above 0 fixes its height, with the text placed by the vertical alignment.
    void setDimensions(float width, float height);
    // Wraps lines like a dimension width, but the label is as wide as its longest line.
    void setMaxLineWidth(float maxLineWidth);
    float getMaxLineWidth() const { return _maxLineWidth; }

    const TTFConfig& getTTFConfig() const { return _ttfConfig; }
    // Distance between baselines; 0 for a label without a font.
    float getLineHeight() const;

    const Size& getContentSize() const override;
    Rect getBoundingBox() const override;
    void visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) override;
    void draw(Renderer* renderer, const Mat4& transform, uint32_t flags) override;

private:
    // Its atlas is the engine's own (2d/CCLabelInternals.h).
    friend class LabelInternals;

    // One glyph quad in the label's own space (origin bottom-left).
    struct PlacedGlyph
    {
        Rect bounds;
        Texture2D* page;
        Tex2F uvTopLeft;
        Tex2F uvBottomRight;
    };

    static Label* createWithAtlas(std::shared_ptr<FontAtlas> atlas, const std::string& text, const Size& dimensions,
                                  TextHAlignment hAlignment, TextVAlignment vAlignment);
    void markLayoutDirty() { _layoutDirty = true; }
    void updateLayout();
    std::vector<std::u32string> breakLines() const;
    float measure(const std::u32string& line) const;
    void placeLine(const std::u32string& line, float penX, float baseline);
    Color4B tintedColor() const;

    std::shared_ptr<FontAtlas> _atlas;
    TTFConfig _ttfConfig;
    std::string _text;
    Color4B _textColor = Color4B::WHITE;
    TextHAlignment _hAlignment = TextHAlignment::LEFT;
    TextVAlignment _vAlignment = TextVAlignment::TOP;
    Size _dimensions;
    float _maxLineWidth = 0.0f;
    bool _layoutDirty = true;
    std::vector<PlacedGlyph> _glyphs;
};

NS_CC_END
