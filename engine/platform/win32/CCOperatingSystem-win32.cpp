#include "internal/OperatingSystem.h"

#include <windows.h>

#include <vector>

#include "base/CCConsole.h"
#include "platform/win32/CCKnownFolder-win32.h"
#include "platform/win32/CCUnicode-win32.h"

NS_CC_BEGIN

namespace platform {

std::string executablePath()
{
    // Paths may exceed MAX_PATH; a full buffer means the name was cut short.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
        {
            log("Can't find the executable's path (error %lu)", GetLastError());
            return "";
        }
        if (length < buffer.size())
        {
            return win32::toEnginePath(std::wstring(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string userSettingsDirectory()
{
    return win32::toEnginePath(win32::knownFolder(FOLDERID_LocalAppData, "LocalAppData"));
}

bool isRegularFile(const std::string& path)
{
    const std::wstring widePath = win32::toUtf16(path);
    if (widePath.empty())
    {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(widePath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string userLocale()
{
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
    // "de-DE"; fails when the user locale is unset.
    return GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH) > 0 ? win32::toUtf8(locale) : "";
}

// The Windows build is not run under the sanitizers, and opengl32 stays loaded until exit.
void keepGLDriverLoaded()
{
}

void showMessageBox(const std::string& text, const std::string& title)
{
    // Qualified: <windows.h> turns the engine's own MessageBox, declared in this namespace,
    // into a MessageBoxW that would hide this one.
    ::MessageBoxW(nullptr, win32::toUtf16(text).c_str(), win32::toUtf16(title).c_str(),
                  MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

} // namespace platform

NS_CC_END
