#pragma once

#include <string>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// Code points of a UTF-8 string. A byte that does not start a well-formed sequence (stray
// continuation, overlong form, surrogate, beyond U+10FFFF, cut short) is dropped on its own,
// and decoding resumes at the next byte.
std::u32string decodeUTF8(const std::string& text);

NS_CC_END
