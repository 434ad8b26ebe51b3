#pragma once

#include "2d/CCLabel.h"

NS_CC_BEGIN

class FontAtlas;

// What the engine's own code and its tests reach in a Label beyond 3.17's API: FontAtlas is
// private here.
class LabelInternals
{
public:
    // The shared atlas the glyphs come from; null for a label without a font.
    static FontAtlas* getFontAtlas(const Label& label) { return label._atlas.get(); }
};

NS_CC_END
