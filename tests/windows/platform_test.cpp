// The Windows platform layer under Wine (`ctest --preset windows` runs it from a folder
// whose name is not ASCII): paths as UTF-8 with '/' separators, reading files through them,
// and the system font lookup against a font registry this test writes itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "internal/OperatingSystem.h"
#include "platform/CCFileUtils.h"
#include "platform/win32/CCKnownFolder-win32.h"
#include "platform/win32/CCUnicode-win32.h"

USING_NS_CC;

namespace {

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

TEST(WindowsPlatform, IsTheCompileTimeTarget)
{
    EXPECT_EQ(CC_TARGET_PLATFORM, CC_PLATFORM_WIN32);
}

TEST(WindowsPaths, ExecutableFolderAndName)
{
    const std::string directory = platform::executableDirectory();
    EXPECT_TRUE(endsWith(directory, "/")) << directory;
    EXPECT_EQ(directory.find('\\'), std::string::npos) << directory;
    bool nonAscii = false;
    for (unsigned char c : directory)
        nonAscii = nonAscii || c >= 0x80;
    EXPECT_TRUE(nonAscii) << "run from a folder with a non-ASCII name, so UTF-8 is exercised: " << directory;
    EXPECT_EQ(platform::executableName(), "windows_platform_test");
    EXPECT_TRUE(platform::isRegularFile(directory + platform::executableName() + ".exe"));
}

TEST(WindowsPaths, RegularFilesThroughUtf8Paths)
{
    const std::string directory = platform::executableDirectory();
    EXPECT_TRUE(platform::isRegularFile(directory + "Resources/Player.png"));
    EXPECT_FALSE(platform::isRegularFile(directory + "Resources")) << "a folder";
    EXPECT_FALSE(platform::isRegularFile(directory + "Resources/missing.png"));
    EXPECT_FALSE(platform::isRegularFile(""));
    EXPECT_FALSE(platform::isRegularFile(directory + "\xff.png")) << "a path that is not UTF-8";
}

TEST(WindowsPaths, ResourcesAndWritablePath)
{
    const std::string directory = platform::executableDirectory();
    FileUtils* files = FileUtils::getInstance();
    EXPECT_EQ(files->getDefaultResourceRootPath(), directory + "Resources/");
    const std::vector<unsigned char> png = files->getDataFromFile("Player.png");
    ASSERT_GT(png.size(), 8u) << "a resource is read through its UTF-8 path";
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");

    const std::string writable = files->getWritablePath();
    ASSERT_GT(writable.size(), 3u);
    EXPECT_EQ(writable[1], ':') << writable;
    EXPECT_EQ(writable.find('\\'), std::string::npos) << writable;
    EXPECT_TRUE(endsWith(writable, "/windows_platform_test/")) << "under the local application data: " << writable;
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
        RegCreateKeyExW(HKEY_CURRENT_USER, (kTestRoot + root).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &rootKey,
                        nullptr);
        RegCreateKeyExW(rootKey, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &fonts, nullptr);
        EXPECT_TRUE(rootKey && fonts) << "the test cannot write its font registry";
        return fonts;
    }

    static void add(HKEY key, const std::wstring& name, const std::wstring& file)
    {
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                       static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)));
    }

    HKEY _machineRoot = nullptr, _userRoot = nullptr, _machine = nullptr, _user = nullptr;
};

// The shipped fonts registered under family names, and one font registered without a path,
// which means it lives in the Fonts folder.
class SystemFontLookup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(fontsFolder.empty());
        ASSERT_TRUE(CopyFileW(windowsPath(regular).c_str(), relativeCopy.c_str(), FALSE))
            << "a font cannot be put into the Fonts folder";
        registry.addMachineFont(L"Fancy Sans (TrueType)", windowsPath(regular));
        registry.addMachineFont(L"Fancy Sans Bold (TrueType)", windowsPath(bold));
        registry.addMachineFont(L"Alpha & Beta (OpenType)", windowsPath(regular));
        registry.addMachineFont(L"Pixel", windowsPath(bold));
        registry.addMachineFont(L"Relative (TrueType)", L"skyvane-platform-test.ttf");
        registry.addMachineFont(L"Segoe UI (TrueType)", L"C:\\nowhere\\segoeui.ttf");
        registry.addUserFont(L"Tahoma (TrueType)", windowsPath(regular));
    }
    void TearDown() override { DeleteFileW(relativeCopy.c_str()); }

    const std::string fonts = platform::executableDirectory() + "Resources/fonts/";
    const std::string regular = fonts + "Marker Felt.ttf";
    const std::string bold = fonts + "DejaVuSans.ttf";
    const std::wstring fontsFolder = win32::knownFolder(FOLDERID_Fonts, "Fonts");
    const std::wstring relativeCopy = fontsFolder + L"\\skyvane-platform-test.ttf";
    FakeFontRegistry registry;
};

TEST_F(SystemFontLookup, FamiliesByName)
{
    EXPECT_EQ(platform::matchFontFamily("Fancy Sans"), regular) << "a family's regular face";
    EXPECT_EQ(platform::matchFontFamily("FANCY SANS BOLD"), bold) << "a family named in another case";
    EXPECT_EQ(platform::matchFontFamily("Beta"), regular) << "a family inside a collection";
    EXPECT_EQ(platform::matchFontFamily("Relative"), win32::toEnginePath(relativeCopy))
        << "a file name relative to the Fonts folder";
}

TEST_F(SystemFontLookup, DefaultFace)
{
    // Segoe UI's file is missing and Tahoma is a per-user install.
    for (const char* name : {"", "Artial", "Pixel", "Segoe UI"})
        EXPECT_EQ(platform::matchFontFamily(name), regular) << "default face for \"" << name << '"';

    registry.removeUserFont(L"Tahoma (TrueType)");
    EXPECT_EQ(platform::matchFontFamily("Artial"), "") << "no default family is installed";
    EXPECT_EQ(findSystemFontFile("Artial"), bold) << "the shipped face when no default family is installed";
}

} // namespace
