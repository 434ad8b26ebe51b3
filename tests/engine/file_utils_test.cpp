// FileUtils: search path order, reading text files, and the writable folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ScopedEnv.h"
#include "cocos2d.h"

USING_NS_CC;
namespace fs = std::filesystem;

namespace {

class FileUtilsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        _dir = fs::temp_directory_path() / ("skyvane-file-utils-test-" + std::to_string(::getpid()));
        fs::create_directories(_dir);
    }
    void TearDown() override
    {
        FileUtils::destroyInstance();
        fs::remove_all(_dir);
    }

    // Writes a file below the scratch folder and returns that folder's path with a slash.
    std::string write(const std::string& folder, const std::string& name, const std::string& text) const
    {
        fs::create_directories(_dir / folder);
        std::ofstream(_dir / folder / name, std::ios::binary) << text;
        return (_dir / folder).string() + "/";
    }

    fs::path _dir;
};

TEST_F(FileUtilsTest, PathAddedAgainInFrontIsSearchedFirst)
{
    FileUtils* files = FileUtils::getInstance();
    const std::string one = write("one", "same.txt", "one");
    const std::string two = write("two", "same.txt", "two");
    files->setSearchPaths({one, two});
    files->addSearchPath(two, true);
    const std::string root = files->getDefaultResourceRootPath();
    EXPECT_EQ(files->getSearchPaths(), (std::vector<std::string>{two, one, two, root}));
    EXPECT_EQ(files->getStringFromFile("same.txt"), "two");
}

TEST_F(FileUtilsTest, StringFromFileIsTheWholeFileOrEmpty)
{
    std::string text(100000, 'x');
    text[0] = '\0'; // binary-safe: a NUL does not end it
    text.back() = '\n';
    const std::string folder = write("text", "long.txt", text);
    FileUtils::getInstance()->addSearchPath(folder);
    EXPECT_EQ(FileUtils::getInstance()->getStringFromFile("long.txt"), text);
    EXPECT_EQ(FileUtils::getInstance()->getStringFromFile("missing.txt"), "");
    EXPECT_EQ(FileUtils::getInstance()->getStringFromFile(folder), ""); // a folder is no file
}

TEST_F(FileUtilsTest, WritablePathIsCreatedOnRequest)
{
    ScopedEnv config("XDG_CONFIG_HOME", (_dir / "config").c_str());
    const std::string writable = FileUtils::getInstance()->getWritablePath();
    EXPECT_EQ(writable.rfind((_dir / "config").string(), 0), 0u);
    EXPECT_TRUE(fs::is_directory(writable));
}

} // namespace
