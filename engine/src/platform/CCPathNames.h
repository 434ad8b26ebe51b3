#pragma once

#include <string>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// Parts of a path in the engine's form ('/' between names), for both platforms.
namespace pathnames {
// Everything up to and including the last '/'; "./" for a bare name or "".
std::string directoryOf(const std::string& path);
// The last name without its extension ("dir/game.exe" gives "game"; ".hidden" stays whole).
std::string stemOf(const std::string& path);
} // namespace pathnames

NS_CC_END
