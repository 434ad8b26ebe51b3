#include "internal/OperatingSystem.h"

#include <cctype>
#include <cstring>

NS_CC_BEGIN

namespace {

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

std::string languageCodeOfLocale(const char* locale)
{
    if (!locale)
    {
        return "en";
    }
    const size_t languageLength = std::strcspn(locale, "_.@-");
    if (languageLength != 2 || !isAsciiLetter(locale[0]) || !isAsciiLetter(locale[1]))
    {
        return "en";
    }
    return {static_cast<char>(std::tolower(static_cast<unsigned char>(locale[0]))),
            static_cast<char>(std::tolower(static_cast<unsigned char>(locale[1])))};
}

NS_CC_END
