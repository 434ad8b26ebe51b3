#include "platform/desktop/CCWindowFit.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace {

const Size kFrame(960, 640);

void expectRect(const Rect& actual, float x, float y, float width, float height)
{
    EXPECT_FLOAT_EQ(actual.origin.x, x);
    EXPECT_FLOAT_EQ(actual.origin.y, y);
    EXPECT_FLOAT_EQ(actual.size.width, width);
    EXPECT_FLOAT_EQ(actual.size.height, height);
}

TEST(Letterbox, FillsAWindowOfTheFramesSizeOrProportions)
{
    expectRect(letterbox(kFrame, Size(960, 640)), 0, 0, 960, 640);
    expectRect(letterbox(kFrame, Size(1920, 1280)), 0, 0, 1920, 1280);
    expectRect(letterbox(kFrame, Size(480, 320)), 0, 0, 480, 320);
}

TEST(Letterbox, CentresTheLargestUndistortedFrameWithBarsAtTheSidesOrAboveAndBelow)
{
    // A tile wider than 3:2: bars left and right.
    expectRect(letterbox(kFrame, Size(1916, 1060)), (1916 - 1590) / 2.0f, 0, 1590, 1060);
    // Taller than 3:2: bars above and below.
    expectRect(letterbox(kFrame, Size(400, 400)), 0, (400 - 400 * 640 / 960.0f) / 2, 400, 400 * 640 / 960.0f);
}

TEST(Letterbox, AWindowOrFrameWithoutAreaIsTheWholeWindow)
{
    expectRect(letterbox(kFrame, Size(0, 0)), 0, 0, 0, 0);
    expectRect(letterbox(Size(0, 640), Size(800, 600)), 0, 0, 800, 600);
}

TEST(WindowPointToFrame, IsTheInverseOfWhereTheFrameIsDrawn)
{
    const Size window(1916, 1060);
    const Rect drawn = letterbox(kFrame, window);
    const Vec2 corners[] = {Vec2(0, 0), Vec2(960, 640), Vec2(940, 620), Vec2(320, 480)};
    for (const Vec2& framePoint : corners)
    {
        const Vec2 inWindow = drawn.origin + framePoint * (drawn.size.width / kFrame.width);
        const Vec2 back = windowPointToFrame(kFrame, window, inWindow);
        EXPECT_NEAR(back.x, framePoint.x, 1e-3) << framePoint.x << "," << framePoint.y;
        EXPECT_NEAR(back.y, framePoint.y, 1e-3) << framePoint.x << "," << framePoint.y;
    }
    // The bars lie outside the frame.
    EXPECT_LT(windowPointToFrame(kFrame, window, Vec2(10, 500)).x, 0.0f);
    EXPECT_GT(windowPointToFrame(kFrame, window, Vec2(1910, 500)).x, kFrame.width);
}

TEST(FitWithin, KeepsAWindowThatFitsAndShrinksOneThatDoesNotToTheSameProportions)
{
    EXPECT_TRUE(fitWithin(kFrame, Size(1920, 1080)).equals(kFrame));
    EXPECT_TRUE(fitWithin(kFrame, Size(960, 640)).equals(kFrame));

    // A 1024 x 600 screen, its title bar taken off: the height decides.
    const Size onSmallScreen = fitWithin(kFrame, Size(1024, 578));
    EXPECT_FLOAT_EQ(onSmallScreen.height, 578);
    EXPECT_NEAR(onSmallScreen.width / onSmallScreen.height, 1.5, 0.005);
    // Narrow: the width decides.
    const Size narrow = fitWithin(kFrame, Size(600, 1000));
    EXPECT_FLOAT_EQ(narrow.width, 600);
    EXPECT_FLOAT_EQ(narrow.height, 400);
}

TEST(FitWithin, NoRoomToSpeakOfLeavesTheWindowAsAskedAndNeverBelowOneUnit)
{
    EXPECT_TRUE(fitWithin(kFrame, Size(0, 0)).equals(kFrame));
    EXPECT_TRUE(fitWithin(kFrame, Size(-10, 300)).equals(kFrame));
    const Size tiny = fitWithin(kFrame, Size(1, 1));
    EXPECT_GE(tiny.width, 1.0f);
    EXPECT_GE(tiny.height, 1.0f);
}

} // namespace
