#pragma once

#include <string>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// The font file to use for a system font name such as "Arial" or "sans". A name ending in
// ".ttf" or ".otf" is a resource file looked up through FileUtils. Unknown names and ""
// give the platform's default sans face; "" only when no font is installed at all.
std::string findSystemFontFile(const std::string& fontName);

namespace platform {
// The installed font file the platform picks for a family name, its default sans face for
// "" and unknown names; "" when it has none. Implemented once for each platform.
std::string matchFontFamily(const std::string& familyName);
}

NS_CC_END
