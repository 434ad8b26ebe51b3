#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

namespace win32 {
// The folder's path as Windows gives it (UTF-16, '\' separators, no trailing one); "" if the
// system has none, which is logged.
std::wstring knownFolder(REFKNOWNFOLDERID folder, const char* nameForLog);
}

NS_CC_END
