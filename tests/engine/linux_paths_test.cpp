#include "internal/OperatingSystem.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "ScopedEnv.h"

USING_NS_CC;

namespace {

std::string thisExecutable()
{
    char resolved[PATH_MAX];
    return realpath("/proc/self/exe", resolved) ? resolved : "";
}

TEST(LinuxPaths, ExecutableDirectoryAndNameRebuildTheRunningProgram)
{
    const std::string directory = platform::executableDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), '/');
    EXPECT_EQ(directory + platform::executableName(), thisExecutable());
}

TEST(LinuxPaths, WritableDirectoryFollowsXdgConfigHome)
{
    const std::string name = platform::executableName();
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/srv/config/");
        EXPECT_EQ(platform::writableDirectory(), "/srv/config/" + name + "/");
    }
    ScopedEnv home("HOME", "/home/player");
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/config"})
    {
        ScopedEnv config("XDG_CONFIG_HOME", unusable);
        EXPECT_EQ(platform::writableDirectory(), "/home/player/.config/" + name + "/")
            << (unusable ? unusable : "(unset)");
    }
}

TEST(LinuxPaths, OnlyExistingPlainFilesAreRegular)
{
    EXPECT_TRUE(platform::isRegularFile(thisExecutable()));
    EXPECT_FALSE(platform::isRegularFile(platform::executableDirectory()));
    EXPECT_FALSE(platform::isRegularFile(platform::executableDirectory() + "no-such-file"));
    EXPECT_FALSE(platform::isRegularFile(""));
}

} // namespace
