#pragma once

#include <string>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// The two-letter ISO 639-1 language of a locale name, lower case: "de_DE.UTF-8" (POSIX)
// and "de-DE" (Windows) both give "de". Names without one ("C", "POSIX", "", null) give "en".
std::string languageCodeOfLocale(const char* locale);

NS_CC_END
