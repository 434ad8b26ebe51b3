// The Windows platform layer under Wine (tools/windows/wine-test.sh runs it from a folder
// whose name is not ASCII): paths as UTF-8 with '/' separators, reading files through them,
// and the system font lookup against a font registry this test writes itself.
#include <windows.h>

#include <cstdio>
#include <string>

#include "internal/OperatingSystem.h"
#include "platform/CCFileUtils.h"
#include "platform/win32/CCKnownFolder-win32.h"
#include "platform/win32/CCUnicode-win32.h"

USING_NS_CC;

namespace {

int failures = 0;

void expect(bool ok, const std::string& what)
{
    if (!ok)
    {
        ++failures;
        std::fprintf(stderr, "FAIL: %s\n", what.c_str());
    }
}

void expectEqual(const std::string& actual, const std::string& expected, const std::string& what)
{
    expect(actual == expected, what + ": got \"" + actual + "\", want \"" + expected + "\"");
}

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::wstring windowsPath(std::string enginePath)
{
    for (char& c : enginePath)
        c = c == '/' ? '\\' : c;
    return win32::toUtf16(enginePath);
}

void checkPaths()
{
    const std::string directory = platform::executableDirectory();
    expect(endsWith(directory, "/") && directory.find('\\') == std::string::npos,
           "executable directory in the engine's form: " + directory);
    bool nonAscii = false;
    for (unsigned char c : directory)
        nonAscii = nonAscii || c >= 0x80;
    expect(nonAscii, "run from a folder with a non-ASCII name, so UTF-8 is exercised: " + directory);
    expectEqual(platform::executableName(), "windows_platform_test", "executable name");
    expect(platform::isRegularFile(directory + platform::executableName() + ".exe"),
           "the executable is found through its UTF-8 path");

    const std::string picture = directory + "Resources/Player.png";
    expect(platform::isRegularFile(picture), "a resource is a regular file");
    expect(!platform::isRegularFile(directory + "Resources"), "a folder is not a regular file");
    expect(!platform::isRegularFile(directory + "Resources/missing.png"), "a missing file is not a regular file");
    expect(!platform::isRegularFile(""), "an empty path is not a regular file");
    expect(!platform::isRegularFile(directory + "\xff.png"), "a path that is not UTF-8 is not a regular file");

    FileUtils* files = FileUtils::getInstance();
    expectEqual(files->getDefaultResourceRootPath(), directory + "Resources/", "resource root");
    const std::vector<unsigned char> png = files->getDataFromFile("Player.png");
    expect(png.size() > 8 && png[1] == 'P' && png[2] == 'N' && png[3] == 'G', "a resource is read through its UTF-8 path");

    const std::string writable = files->getWritablePath();
    expect(writable.size() > 3 && writable[1] == ':' && writable.find('\\') == std::string::npos &&
               endsWith(writable, "/windows_platform_test/"),
           "writable path under the local application data: " + writable);
}

// Predefined registry roots redirected to keys of this test for as long as it lives.
class FakeFontRegistry
{
public:
    FakeFontRegistry()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
        _machine = createFontsKey(L"\\machine", _machineRoot);
        _user = createFontsKey(L"\\user", _userRoot);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, _machineRoot);
        RegOverridePredefKey(HKEY_CURRENT_USER, _userRoot);
    }
    ~FakeFontRegistry()
    {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        for (HKEY key : {_machine, _user, _machineRoot, _userRoot})
            RegCloseKey(key);
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
    }
    FakeFontRegistry(const FakeFontRegistry&) = delete;
    FakeFontRegistry& operator=(const FakeFontRegistry&) = delete;

    void addMachineFont(const std::wstring& name, const std::wstring& file) { add(_machine, name, file); }
    void addUserFont(const std::wstring& name, const std::wstring& file) { add(_user, name, file); }
    void removeUserFont(const std::wstring& name) { RegDeleteValueW(_user, name.c_str()); }

private:
    static constexpr const wchar_t* kTestRoot = L"Software\\Skyvane\\PlatformTest";

    static HKEY createFontsKey(const std::wstring& root, HKEY& rootKey)
    {
        HKEY fonts = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, (kTestRoot + root).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &rootKey, nullptr);
        RegCreateKeyExW(rootKey, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &fonts, nullptr);
        expect(rootKey && fonts, "the test can write its font registry");
        return fonts;
    }

    static void add(HKEY key, const std::wstring& name, const std::wstring& file)
    {
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                       static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)));
    }

    HKEY _machineRoot = nullptr, _userRoot = nullptr, _machine = nullptr, _user = nullptr;
};

void checkFontLookup()
{
    const std::string fonts = platform::executableDirectory() + "Resources/fonts/";
    const std::string regular = fonts + "Marker Felt.ttf";
    const std::string bold = fonts + "DejaVuSans.ttf";
    // Registered without a path: it lives in the Fonts folder.
    const std::wstring fontsFolder = win32::knownFolder(FOLDERID_Fonts, "Fonts");
    const std::wstring relativeCopy = fontsFolder + L"\\skyvane-platform-test.ttf";
    expect(!fontsFolder.empty() && CopyFileW(windowsPath(regular).c_str(), relativeCopy.c_str(), FALSE),
           "a font can be put into the Fonts folder");

    {
        FakeFontRegistry registry;
        registry.addMachineFont(L"Fancy Sans (TrueType)", windowsPath(regular));
        registry.addMachineFont(L"Fancy Sans Bold (TrueType)", windowsPath(bold));
        registry.addMachineFont(L"Alpha & Beta (OpenType)", windowsPath(regular));
        registry.addMachineFont(L"Pixel", windowsPath(bold));
        registry.addMachineFont(L"Relative (TrueType)", L"skyvane-platform-test.ttf");
        registry.addMachineFont(L"Segoe UI (TrueType)", L"C:\\nowhere\\segoeui.ttf");
        registry.addUserFont(L"Tahoma (TrueType)", windowsPath(regular));

        expectEqual(platform::matchFontFamily("Fancy Sans"), regular, "a family's regular face");
        expectEqual(platform::matchFontFamily("FANCY SANS BOLD"), bold, "a family named in another case");
        expectEqual(platform::matchFontFamily("Beta"), regular, "a family inside a collection");
        expectEqual(platform::matchFontFamily("Relative"), win32::toEnginePath(relativeCopy),
                    "a file name relative to the Fonts folder");
        // Segoe UI's file is missing and Tahoma is a per-user install.
        for (const char* name : {"", "Artial", "Pixel", "Segoe UI"})
            expectEqual(platform::matchFontFamily(name), regular, std::string("default face for \"") + name + "\"");

        registry.removeUserFont(L"Tahoma (TrueType)");
        expectEqual(platform::matchFontFamily("Artial"), bold, "the shipped face when no default family is installed");
    }
    DeleteFileW(relativeCopy.c_str());
}

} // namespace

int main()
{
    checkPaths();
    checkFontLookup();
    std::printf("windows_platform_test: %s\n", failures ? "FAILED" : "passed");
    return failures ? 1 : 0;
}
