#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppDelegate.h"
#include "Frames.h"
#include "GameOverScene.h"
#include "HeadlessView.h"
#include "base/CCDirectorInternals.h"
#include "base/CCStatsDisplay.h"

USING_NS_CC;
using namespace testing_support;

namespace {

// The game launched as the player starts it, on a view that has the Director queue whole frames,
// statistics display included; the renderer has no GL and draws none of them.
class StatsDisplayShows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        startHeadless();
        Director::getInstance()->setOpenGLView(HeadlessView::create(960, 640, true));
        ASSERT_TRUE(app.applicationDidFinishLaunching());
    }

    void TearDown() override { shutDownDirector(); }

    // Bottom line first, as the display shows them.
    static std::vector<std::string> lines()
    {
        return DirectorInternals::getStatsDisplay(*Director::getInstance()).getLines();
    }

    AppDelegate app;
};

TEST_F(StatsDisplayShows, TheSceneOfThisFrameWithoutItsOwnGlyphs)
{
    runFrames(1);
    EXPECT_TRUE(lines().empty()) << "the display starts with the second frame";

    runFrames(1);
    // The craft, the close button and the glyphs of "Skyvane" and "SCORE 0": 15 quads. The
    // sprites share the atlas page, the glyphs their face's page.
    EXPECT_EQ(lines(), (std::vector<std::string>{"0.0 / 0.002", "GL calls:     2", "GL verts:    90"}));
    runFrames(1);
    EXPECT_EQ(lines().at(2), "GL verts:    90") << "still the scene alone, not the display drawn before";

    // Steered into the top edge: "You Lose!" is 8 glyphs and all there is.
    sendMouse(EventMouse::MouseEventType::MOUSE_MOVE, 100, 640);
    for (int frame = 0; frame < 30 && !dynamic_cast<GameOverScene*>(Director::getInstance()->getRunningScene());
         ++frame)
    {
        runFrames(1);
    }
    ASSERT_NE(dynamic_cast<GameOverScene*>(Director::getInstance()->getRunningScene()), nullptr);
    runFrames(1);
    EXPECT_EQ(lines().at(1), "GL calls:     1");
    EXPECT_EQ(lines().at(2), "GL verts:    48");
}

TEST_F(StatsDisplayShows, TheRateOverHalfASecondAndTheSmoothedFrameTime)
{
    // The first frame takes no time; the smoothed figure climbs from there by a tenth a frame.
    runFrames(25);
    EXPECT_EQ(lines().at(0), "0.0 / 0.015") << "no rate before half a second has passed";
    runSeconds(2.0f);
    EXPECT_EQ(lines().at(0), "60.0 / 0.017");
    runSeconds(1.5f, 1.0f / 30);
    EXPECT_EQ(lines().at(0), "30.0 / 0.033");
}

} // namespace
