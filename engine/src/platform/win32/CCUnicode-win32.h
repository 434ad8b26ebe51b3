#pragma once

#include <string>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// The engine keeps strings and paths in UTF-8; the wide Windows API takes UTF-16.
namespace win32 {
// "" for input that is not valid UTF-8 (UTF-16): nothing half-converted reaches the system.
std::wstring toUtf16(const std::string& utf8);
std::string toUtf8(const std::wstring& utf16);
// A Windows path in the engine's form: UTF-8 with '/' separators.
std::string toEnginePath(const std::wstring& windowsPath);
}

NS_CC_END
