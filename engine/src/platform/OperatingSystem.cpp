#include "internal/OperatingSystem.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <utility>

#include "base/CCConsole.h"
#include "platform/CCFileUtils.h"
#include "platform/CCPathNames.h"

NS_CC_BEGIN

namespace {

// Shipped with the game for a system that offers no face at all: a Windows without its
// usual fonts, a Linux whose fontconfig finds none.
const char* const kShippedDefaultFont = "fonts/DejaVuSans.ttf";

bool hasFontFileExtension(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string extension = name.substr(name.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".ttf" || extension == ".otf";
}

std::string shippedDefaultFont(const std::string& familyName)
{
    FileUtils* files = FileUtils::getInstance();
    if (files->isFileExist(kShippedDefaultFont))
        return files->fullPathForFilename(kShippedDefaultFont);
    log("No installed font can stand in for '%s', and %s is missing", familyName.c_str(), kShippedDefaultFont);
    return {};
}

// Asking the platform costs a scan of its font configuration, and the answer does not
// change while the game runs.
const std::string& matchFontFamilyOnce(const std::string& familyName)
{
    static std::unordered_map<std::string, std::string> matches;
    auto found = matches.find(familyName);
    if (found == matches.end())
    {
        std::string path = platform::matchFontFamily(familyName);
        if (path.empty())
            path = shippedDefaultFont(familyName);
        found = matches.emplace(familyName, std::move(path)).first;
    }
    return found->second;
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

std::string findSystemFontFile(const std::string& fontName)
{
    if (hasFontFileExtension(fontName))
    {
        FileUtils* files = FileUtils::getInstance();
        const std::string path = files->fullPathForFilename(fontName);
        if (!path.empty() && files->isFileExist(path))
            return path;
        log("Font file '%s' not found; using the default sans face", fontName.c_str());
        return matchFontFamilyOnce("");
    }
    return matchFontFamilyOnce(fontName);
}

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

namespace platform {

bool isRegularFile(const std::string& path)
{
    if (path.empty())
    {
        return false;
    }
    try
    {
        std::error_code error;
        return std::filesystem::is_regular_file(std::filesystem::u8path(path), error);
    }
    catch (const std::filesystem::filesystem_error&)
    {
        // Windows names files in UTF-16: a path that is not UTF-8 names no file there.
        return false;
    }
}

std::string executableDirectory()
{
    return pathnames::directoryOf(executablePath());
}

std::string executableName()
{
    return pathnames::stemOf(executablePath());
}

std::string writableDirectory()
{
    const std::string settings = userSettingsDirectory();
    // Without one, beside the executable is the one place the game knows.
    return (settings.empty() ? executableDirectory() : settings + "/") + executableName() + "/";
}

} // namespace platform

NS_CC_END
