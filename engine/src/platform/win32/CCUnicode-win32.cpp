#include "platform/win32/CCUnicode-win32.h"

#include <windows.h>

#include <algorithm>

NS_CC_BEGIN

std::wstring win32::toUtf16(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                           nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring utf16(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), utf16.data(),
                        length);
    return utf16;
}

std::string win32::toUtf8(const std::wstring& utf16)
{
    if (utf16.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), static_cast<int>(utf16.size()),
                                           nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), static_cast<int>(utf16.size()), utf8.data(),
                        length, nullptr, nullptr);
    return utf8;
}

std::string win32::toEnginePath(const std::wstring& windowsPath)
{
    std::string path = toUtf8(windowsPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

NS_CC_END
