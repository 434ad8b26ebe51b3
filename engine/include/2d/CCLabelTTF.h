#pragma once

#include <string>

#include "2d/CCLabelProtocol.h"
#include "2d/CCNode.h"
#include "base/ccConfig.h"

NS_CC_BEGIN

class Label;

// The older text node, kept for code written against it: a node whose only child is a
// system-font Label, centred in it, with the same size.
class CC_DEPRECATED_ATTRIBUTE LabelTTF : public Node, public LabelProtocol
{
public:
    // Never null.
    static LabelTTF* create();
    static LabelTTF* create(const std::string& string, const std::string& fontName, float fontSize,
                            const Size& dimensions = Size::ZERO, TextHAlignment hAlignment = TextHAlignment::CENTER,
                            TextVAlignment vAlignment = TextVAlignment::TOP);

    LabelTTF();
    bool init() override;
    bool initWithString(const std::string& string, const std::string& fontName, float fontSize,
                        const Size& dimensions = Size::ZERO, TextHAlignment hAlignment = TextHAlignment::LEFT,
                        TextVAlignment vAlignment = TextVAlignment::TOP);

    void setString(const std::string& text) override;
    const std::string& getString() const override;
    // Colour and opacity reach the text through the inner label.
    void setColor(const Color3B& color) override;
    void setOpacity(GLubyte opacity) override;

private:
    void mirrorLabelSize();

    Label* _renderLabel = nullptr; // owned by the child list
};

NS_CC_END
