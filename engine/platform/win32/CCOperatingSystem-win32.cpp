#include "platform/CCFileUtils.h"

#include <windows.h>

#include <vector>

#include "base/CCConsole.h"
#include "platform/CCPathNames.h"
#include "platform/win32/CCKnownFolder-win32.h"
#include "platform/win32/CCUnicode-win32.h"

NS_CC_BEGIN

namespace {

// The running program's full path in the engine's form, or "" if Windows cannot say.
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

} // namespace

namespace platform {

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
    const std::wstring localAppData = win32::knownFolder(FOLDERID_LocalAppData, "LocalAppData");
    // Without it, beside the executable is the one place the game knows.
    const std::string base = localAppData.empty() ? executableDirectory() : win32::toEnginePath(localAppData) + "/";
    return base + executableName() + "/";
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

} // namespace platform

NS_CC_END
