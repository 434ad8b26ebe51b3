#include "internal/OperatingSystem.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "base/CCConsole.h"
#include "platform/win32/CCKnownFolder-win32.h"
#include "platform/win32/CCUnicode-win32.h"

NS_CC_BEGIN

namespace {

struct TaskMemFree
{
    void operator()(wchar_t* memory) const { CoTaskMemFree(memory); }
};

// Installed fonts: value names like "Arial (TrueType)", data a file name relative to the
// Fonts folder or a full path. Per-user installs (Windows 10 and later) sit under HKCU.
constexpr wchar_t kFontsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const HKEY kFontRoots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};

// The default sans face: Windows has Arial and Segoe UI, Wine lists the host's DejaVu Sans
// and brings Tahoma.
const char* const kDefaultFamilies[] = {"Arial", "Segoe UI", "DejaVu Sans", "Tahoma"};

struct KeyCloser
{
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using KeyHandle = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

bool equalIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool endsWith(const std::wstring& text, const std::wstring& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Whether a value name lists the family. Only outline fonts count (bitmap .fon entries carry
// no suffix); a collection names its families joined by " & ".
bool namesFamily(std::wstring valueName, const std::wstring& family)
{
    bool outline = false;
    for (const std::wstring suffix : {L" (TrueType)", L" (OpenType)"})
    {
        if (endsWith(valueName, suffix))
        {
            valueName.erase(valueName.size() - suffix.size());
            outline = true;
        }
    }
    if (!outline)
        return false;
    const std::wstring separator = L" & ";
    size_t start = 0;
    for (;;)
    {
        const size_t end = valueName.find(separator, start);
        if (equalIgnoringCase(valueName.substr(start, end - start), family))
            return true;
        if (end == std::wstring::npos)
            return false;
        start = end + separator.size();
    }
}

std::wstring resolvedFontFile(const std::wstring& file)
{
    const bool fullPath = file.find(L'\\') != std::wstring::npos || file.find(L':') != std::wstring::npos;
    if (fullPath)
        return file;
    const std::wstring fontsFolder = win32::knownFolder(FOLDERID_Fonts, "Fonts");
    return fontsFolder.empty() ? std::wstring() : fontsFolder + L"\\" + file;
}

// The font file registered for the family under one root that exists on disk, or "".
std::string registeredFontFile(HKEY root, const std::wstring& family)
{
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root, kFontsKey, 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return {};
    const KeyHandle key(raw);

    DWORD longestName = 0, longestData = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    std::vector<wchar_t> name(longestName + 1);
    std::vector<wchar_t> data(longestData / sizeof(wchar_t) + 1);
    for (DWORD index = 0;; ++index)
    {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataBytes = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
        DWORD type = 0;
        const LONG status = RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &dataBytes);
        if (status == ERROR_NO_MORE_ITEMS)
            return {};
        if (status != ERROR_SUCCESS || type != REG_SZ || !namesFamily(std::wstring(name.data(), nameLength), family))
            continue;
        // Registry strings need not end in a terminator; the buffer keeps a spare slot for one.
        data[dataBytes / sizeof(wchar_t)] = L'\0';
        const std::string path = win32::toEnginePath(resolvedFontFile(data.data()));
        if (platform::isRegularFile(path))
            return path;
    }
}

std::string installedFontFile(const std::string& family)
{
    const std::wstring wideFamily = win32::toUtf16(family);
    if (wideFamily.empty())
        return {};
    for (HKEY root : kFontRoots)
    {
        if (std::string path = registeredFontFile(root, wideFamily); !path.empty())
            return path;
    }
    return {};
}

} // namespace

std::string platform::matchFontFamily(const std::string& familyName)
{
    if (std::string path = installedFontFile(familyName); !path.empty())
        return path;
    for (const char* family : kDefaultFamilies)
    {
        if (std::string path = installedFontFile(family); !path.empty())
            return path;
    }
    return {};
}

std::wstring win32::knownFolder(REFKNOWNFOLDERID folder, const char* nameForLog)
{
    wchar_t* raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(folder, KF_FLAG_DEFAULT, nullptr, &raw);
    // The shell allocates the path even on some failures; it is ours to free either way.
    const std::unique_ptr<wchar_t, TaskMemFree> path(raw);
    if (FAILED(result) || !path)
    {
        log("Windows has no %s folder (error 0x%08lx)", nameForLog, static_cast<unsigned long>(result));
        return {};
    }
    return path.get();
}

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
    // Owned by the game's window when one is on screen: the box then stays in front of it and
    // the window waits for it, so a click on the window can never bury the box.
    HWND owner = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            if (!IsWindowVisible(window))
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&owner));
    // Qualified: <windows.h> turns the engine's own MessageBox, declared in this namespace,
    // into a MessageBoxW that would hide this one.
    ::MessageBoxW(owner, win32::toUtf16(text).c_str(), win32::toUtf16(title).c_str(),
                  MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

} // namespace platform

NS_CC_END
