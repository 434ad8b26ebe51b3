#include "2d/CCLabelTTF.h"

#include "2d/CCLabel.h"
#include "base/CCAutoreleased.h"

NS_CC_BEGIN

LabelTTF* LabelTTF::create()
{
    return createAutoreleased<LabelTTF>([](LabelTTF& label) { return label.init(); });
}

LabelTTF* LabelTTF::create(const std::string& string, const std::string& fontName, float fontSize,
                           const Size& dimensions, TextHAlignment hAlignment, TextVAlignment vAlignment)
{
    return createAutoreleased<LabelTTF>([&](LabelTTF& label) {
        return label.initWithString(string, fontName, fontSize, dimensions, hAlignment, vAlignment);
    });
}

LabelTTF::LabelTTF()
{
    setAnchorPoint(Vec2::ANCHOR_MIDDLE);
}

bool LabelTTF::init()
{
    return initWithString("", "", CC_DEFAULT_FONT_LABEL_SIZE);
}

bool LabelTTF::initWithString(const std::string& string, const std::string& fontName, float fontSize,
                              const Size& dimensions, TextHAlignment hAlignment, TextVAlignment vAlignment)
{
    if (_renderLabel)
        removeChild(_renderLabel);
    _renderLabel = Label::createWithSystemFont(string, fontName, fontSize, dimensions, hAlignment, vAlignment);
    _renderLabel->setColor(_color);
    _renderLabel->setOpacity(_opacity);
    addChild(_renderLabel);
    mirrorLabelSize();
    return true;
}

void LabelTTF::setString(const std::string& text)
{
    if (!_renderLabel)
        init();
    _renderLabel->setString(text);
    mirrorLabelSize();
}

const std::string& LabelTTF::getString() const
{
    static const std::string none;
    return _renderLabel ? _renderLabel->getString() : none;
}

void LabelTTF::setColor(const Color3B& color)
{
    Node::setColor(color);
    if (_renderLabel)
        _renderLabel->setColor(color);
}

void LabelTTF::setOpacity(GLubyte opacity)
{
    Node::setOpacity(opacity);
    if (_renderLabel)
        _renderLabel->setOpacity(opacity);
}

void LabelTTF::mirrorLabelSize()
{
    const Size size = _renderLabel->getContentSize();
    Node::setContentSize(size);
    _renderLabel->setPosition(size.width / 2, size.height / 2);
}

NS_CC_END
