// Director::pause and resume as 3.17 has them: a paused game draws four frames a second and
// nothing scheduled moves; resuming brings the frame interval back and the first frame after
// it has no time, so the pause is not replayed as one long frame.
#include <gtest/gtest.h>

#include "EngineFixture.h"

USING_NS_CC;
using namespace testing_support;

namespace {

class DirectorPause : public RunningSceneTest
{
protected:
    void SetUp() override
    {
        RunningSceneTest::SetUp();
        director = Director::getInstance();
        director->setAnimationInterval(1.0 / 60);
        mover = Node::create();
        scene->addChild(mover);
        mover->schedule([this](float) { ++ticks; }, 0.1f, "tick");
        mover->schedule([this](float) { ++updates; }, "every frame");
        mover->runAction(MoveBy::create(10.0f, Vec2(100, 0)));
        runFrames(3, 0.1f); // past the timer's first frame, which only starts its clock
    }

    Director* director = nullptr;
    Node* mover = nullptr;
    int ticks = 0;
    int updates = 0;
};

TEST_F(DirectorPause, HoldsTimersActionsAndUpdatesAtAQuarterSecondAFrame)
{
    const int ticksBefore = ticks;
    const int updatesBefore = updates;
    const Vec2 placeBefore = mover->getPosition();
    const unsigned int framesBefore = director->getTotalFrames();
    ASSERT_GT(ticksBefore, 0);

    director->pause();
    EXPECT_TRUE(director->isPaused());
    EXPECT_EQ(director->getAnimationInterval(), 0.25);
    EXPECT_EQ(Application::getInstance()->getAnimationInterval(), 0.25) << "the run loop paces by it";
    runFrames(8, 0.25f);
    EXPECT_EQ(ticks, ticksBefore);
    EXPECT_EQ(updates, updatesBefore);
    EXPECT_EQ(mover->getPosition(), placeBefore);
    EXPECT_EQ(director->getTotalFrames(), framesBefore + 8) << "a paused game still draws";
}

TEST_F(DirectorPause, ResumeRestoresTheIntervalAndItsFirstFrameHasNoTime)
{
    director->pause();
    director->pause(); // already paused: the interval to come back to stays 1/60
    runFrames(4, 0.25f);
    const int ticksBefore = ticks;
    const Vec2 placeBefore = mover->getPosition();

    director->resume();
    EXPECT_FALSE(director->isPaused());
    EXPECT_EQ(director->getAnimationInterval(), 1.0 / 60);
    EXPECT_EQ(Application::getInstance()->getAnimationInterval(), 1.0f / 60); // 3.17 hands it a float
    director->mainLoop(0.25f);
    EXPECT_EQ(director->getDeltaTime(), 0.0f);
    EXPECT_EQ(ticks, ticksBefore);
    EXPECT_EQ(mover->getPosition(), placeBefore);

    director->mainLoop(0.1f);
    EXPECT_EQ(director->getDeltaTime(), 0.1f);
    EXPECT_EQ(ticks, ticksBefore + 1);
    EXPECT_GT(mover->getPositionX(), placeBefore.x);
}

TEST_F(DirectorPause, ResumeWithoutAPauseChangesNothing)
{
    director->resume();
    EXPECT_EQ(director->getAnimationInterval(), 1.0 / 60);
    director->mainLoop(0.1f);
    EXPECT_EQ(director->getDeltaTime(), 0.1f);
}

} // namespace
