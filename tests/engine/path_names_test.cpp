#include "platform/CCPathNames.h"

#include <gtest/gtest.h>

USING_NS_CC;

TEST(PathNames, DirectoryKeepsItsSlashAndABareNameLivesHere)
{
    EXPECT_EQ(pathnames::directoryOf("/opt/game/skyvane"), "/opt/game/");
    EXPECT_EQ(pathnames::directoryOf("C:/Games/Sky vane/skyvane.exe"), "C:/Games/Sky vane/");
    EXPECT_EQ(pathnames::directoryOf("skyvane"), "./");
    EXPECT_EQ(pathnames::directoryOf(""), "./");
}

TEST(PathNames, StemDropsOnlyTheLastExtension)
{
    EXPECT_EQ(pathnames::stemOf("C:/Games/skyvane.exe"), "skyvane");
    EXPECT_EQ(pathnames::stemOf("/opt/my.game/sky.vane.exe"), "sky.vane");
    EXPECT_EQ(pathnames::stemOf("/opt/my.game/skyvane"), "skyvane");
    EXPECT_EQ(pathnames::stemOf("/home/player/.hidden"), ".hidden");
    EXPECT_EQ(pathnames::stemOf(""), "");
}
