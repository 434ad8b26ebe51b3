#include <memory>
#include <string>
#include <vector>

#include "2d/CCFontAtlas.h"
#include "2d/CCLabelInternals.h"
#include "GameOverScene.h"
#include "GameRun.h"
#include "base/CCLiveObjects.h"

USING_NS_CC;
using namespace game_testing;
using testing_support::kFrame;
using testing_support::runFrames;

namespace {

class WholeLoop : public GameRun
{
protected:
    // Frames until the running scene is another one; -1 if that does not happen within the limit.
    static int framesUntilSceneChanges(int limit)
    {
        Scene* current = Director::getInstance()->getRunningScene();
        for (int frame = 1; frame <= limit; ++frame)
        {
            runFrames(1);
            if (Director::getInstance()->getRunningScene() != current)
            {
                return frame;
            }
        }
        return -1;
    }

    static HelloWorld* runningLayer()
    {
        Scene* scene = Director::getInstance()->getRunningScene();
        return scene && scene->getChildrenCount() > 0 ? dynamic_cast<HelloWorld*>(scene->getChildren().at(0)) : nullptr;
    }

    static void expectFreshRun(const HelloWorld* run)
    {
        ASSERT_NE(run, nullptr);
        EXPECT_EQ(run->score, 0u);
        EXPECT_EQ(run->lastLevelScore, 1u);
        EXPECT_FLOAT_EQ(run->spawnInterval, 2.0f);
        EXPECT_TRUE(run->enemies->empty() && run->shots->empty());
        EXPECT_EQ(run->getChildByTag(TAG_PLAYER)->getPosition(), Vec2(320, 320));
    }

    // Steers into the top edge and follows the game-over screen back to a new run.
    static void loseAndComeBack()
    {
        testing_support::sendMouse(EventMouse::MouseEventType::MOUSE_MOVE, 100, 640);
        ASSERT_GT(framesUntilSceneChanges(30), 0) << "steering into the top edge did not end the run";
        auto* gameOver = dynamic_cast<GameOverScene*>(Director::getInstance()->getRunningScene());
        ASSERT_NE(gameOver, nullptr);
        EXPECT_EQ(gameOver->getLayer()->getLabel()->getString(), "You Lose!");

        const int frames = framesUntilSceneChanges(240);
        EXPECT_NEAR(frames * kFrame, 3.0f, 3 * kFrame);
        expectFreshRun(runningLayer());
    }
};

TEST_F(WholeLoop, ALostRunShowsTheMessageForThreeSecondsThenStartsAFreshOne)
{
    enterRun();
    expectFreshRun(layer);
    loseAndComeBack();
    // The new run plays: its first tick takes the first difficulty step.
    runFrames(2);
    EXPECT_FLOAT_EQ(runningLayer()->spawnInterval, 1.6f);
}

TEST_F(WholeLoop, ANewRunWritesWithTheGlyphsOfTheRunBefore)
{
    enterRun();
    auto* score = dynamic_cast<Label*>(layer->getChildByTag(TAG_SCORE_LABEL));
    ASSERT_NE(score, nullptr);
    const std::weak_ptr<FontAtlas> atlas = FontAtlas::acquire(LabelInternals::getFontAtlas(*score)->getFontPath(), 24);
    ASSERT_EQ(atlas.lock().get(), LabelInternals::getFontAtlas(*score));
    const size_t pages = LabelInternals::getFontAtlas(*score)->getPageCount();

    loseAndComeBack();
    auto* freshScore = dynamic_cast<Label*>(runningLayer()->getChildByTag(TAG_SCORE_LABEL));
    ASSERT_NE(freshScore, nullptr);
    EXPECT_FALSE(atlas.expired()) << "the atlas went with the run's labels";
    EXPECT_EQ(LabelInternals::getFontAtlas(*freshScore), atlas.lock().get());
    EXPECT_EQ(LabelInternals::getFontAtlas(*freshScore)->getPageCount(), pages);

    testing_support::shutDownDirector();
    EXPECT_TRUE(atlas.expired()) << "the Director's end keeps the atlas";
}

TEST_F(WholeLoop, TenRunsInARowLeaveNothingBehind)
{
    const long before = liveObjectCount();
    enterRun();
    std::vector<long> liveAtRestart;
    for (int run = 0; run < 10; ++run)
    {
        SCOPED_TRACE(testing::Message() << "run " << run);
        loseAndComeBack();
        liveAtRestart.push_back(liveObjectCount());
    }
    for (size_t run = 1; run < liveAtRestart.size(); ++run)
    {
        EXPECT_EQ(liveAtRestart[run], liveAtRestart[0]) << "run " << run;
    }
    testing_support::shutDownDirector();
    EXPECT_EQ(liveObjectCount(), before);
}

} // namespace
