// Actions: move timing at a fixed 1/60 step, stacking, degenerate durations, sequences with
// callbacks, tags, and what removing a node does to its pending actions.
#include <gtest/gtest.h>

#include "EngineFixture.h"

USING_NS_CC;
using namespace testing_support;

namespace {

// Half a second is 30 frames of 1/60.
constexpr float kHalfSecond = 0.5f;
constexpr int kHalfSecondFrames = 30;

class ActionsTest : public RunningSceneTest
{
protected:
    void SetUp() override
    {
        RunningSceneTest::SetUp();
        node = Node::create();
        scene->addChild(node);
    }

    // The first step only starts the clock; the end comes one frame after the duration.
    void expectHalfSecondMove(Action* move, const Vec2& end)
    {
        const Vec2 start = node->getPosition();
        node->runAction(move);
        runFrames(1);
        EXPECT_TRUE(node->getPosition().fuzzyEquals(start, 1e-3f));
        runFrames(kHalfSecondFrames / 2);
        EXPECT_TRUE(node->getPosition().fuzzyEquals(start.lerp(end, 0.5f), 1e-2f));
        runFrames(kHalfSecondFrames / 2 - 1);
        EXPECT_NE(node->getPosition(), end);
        EXPECT_EQ(node->getNumberOfRunningActions(), 1);
        runFrames(1);
        EXPECT_EQ(node->getPosition(), end);
        EXPECT_EQ(node->getNumberOfRunningActions(), 0);
    }

    static Sequence* delayedCall(float delay, const std::function<void()>& call)
    {
        return Sequence::create(DelayTime::create(delay), CallFunc::create(call), nullptr);
    }

    Node* node = nullptr;
};

// Target of the deprecated selector callbacks; says when it dies.
class Receiver : public Node
{
public:
    static Receiver* create(int& calls, bool& gone)
    {
        auto* receiver = new Receiver(calls, gone);
        receiver->autorelease();
        return receiver;
    }
    ~Receiver() override { _gone = true; }

    void ping() { ++_calls; }
    void pingWith(Node*) { ++_calls; }

private:
    Receiver(int& calls, bool& gone) : _calls(calls), _gone(gone) {}

    int& _calls;
    bool& _gone;
};

TEST_F(ActionsTest, MovesEndOneFrameAfterTheirDuration)
{
    node->setPosition(20, 10);
    {
        SCOPED_TRACE("MoveTo");
        expectHalfSecondMove(MoveTo::create(kHalfSecond, Vec2(120, 60)), Vec2(120, 60));
    }
    {
        SCOPED_TRACE("MoveBy");
        expectHalfSecondMove(MoveBy::create(kHalfSecond, Vec2(-40, 30)), Vec2(80, 90));
    }
}

TEST_F(ActionsTest, SimultaneousMovesAddUpAndKeepMovesMadeFromOutside)
{
    node->runAction(MoveBy::create(kHalfSecond, Vec2(60, 0)));
    node->runAction(MoveBy::create(kHalfSecond, Vec2(0, 30)));
    runFrames(10);
    node->setPosition(node->getPosition() + Vec2(0, 100));
    runFrames(kHalfSecondFrames);
    EXPECT_TRUE(node->getPosition().fuzzyEquals(Vec2(60, 130), 1e-3f));
}

TEST_F(ActionsTest, MoveOfZeroOrNegativeDurationEndsAtItsTargetOnItsFirstStep)
{
    for (float duration : {0.0f, -1.0f})
    {
        SCOPED_TRACE(duration);
        node->setPosition(0, 0);
        node->runAction(MoveTo::create(duration, Vec2(300, 200)));
        runFrames(1);
        EXPECT_EQ(node->getPosition(), Vec2(300, 200));
        node->runAction(MoveBy::create(duration, Vec2(-100, 50)));
        runFrames(1);
        EXPECT_EQ(node->getPosition(), Vec2(200, 250));
        EXPECT_EQ(node->getNumberOfRunningActions(), 0);
    }
}

TEST_F(ActionsTest, TrailingCallbackFiresInTheStepThatEndsTheMove)
{
    ActionManager* actions = Director::getInstance()->getActionManager();
    Node* calledWith = nullptr;
    Vec2 seenAt;
    ssize_t countedDuringCall = -1;
    node->runAction(Sequence::create(MoveTo::create(kHalfSecond, Vec2(90, 40)), CallFuncN::create([&](Node* target) {
                                         calledWith = target;
                                         seenAt = target->getPosition();
                                         countedDuringCall = actions->getNumberOfRunningActionsInTarget(target);
                                     }),
                                     nullptr));
    runFrames(kHalfSecondFrames);
    EXPECT_EQ(calledWith, nullptr);
    runFrames(1);
    EXPECT_EQ(calledWith, node);
    EXPECT_EQ(seenAt, Vec2(90, 40));
    EXPECT_EQ(countedDuringCall, 1); // the sequence is still counted while its callback runs
    EXPECT_EQ(actions->getNumberOfRunningActionsInTarget(node), 0);
}

TEST_F(ActionsTest, LeadingCallbackFiresAtOnceAndDelayedOneAfterTheDelay)
{
    int first = 0;
    int delayed = 0;
    node->runAction(Sequence::create(CallFunc::create([&first] { ++first; }), DelayTime::create(0.25f),
                                     CallFunc::create([&delayed] { ++delayed; }), nullptr));
    runFrames(1);
    EXPECT_EQ(first, 1);
    runFrames(14);
    EXPECT_EQ(delayed, 0);
    runFrames(1); // 15 frames of 1/60 after the clock started
    EXPECT_EQ(delayed, 1);
    runFrames(30);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(delayed, 1);
}

TEST_F(ActionsTest, TaggedActionsAreFoundAndStoppedFirstMatchFirst)
{
    Action* sideways = node->runAction(MoveBy::create(1.0f, Vec2(100, 0)));
    Action* upwards = node->runAction(MoveBy::create(1.0f, Vec2(0, 100)));
    sideways->setTag(7);
    upwards->setTag(7);
    runFrames(10);
    EXPECT_EQ(node->getActionByTag(7), sideways);
    EXPECT_EQ(node->getActionByTag(8), nullptr);

    node->stopActionByTag(7);
    EXPECT_EQ(node->getActionByTag(7), upwards);
    const Vec2 before = node->getPosition();
    runFrames(10);
    EXPECT_EQ(node->getPositionX(), before.x);
    EXPECT_GT(node->getPositionY(), before.y);
}

TEST_F(ActionsTest, ElapsedTimeStartsAtTheFirstStepAndAddsEachFrame)
{
    auto* move = MoveBy::create(1.0f, Vec2(60, 0));
    node->runAction(move);
    runFrames(1);
    EXPECT_NEAR(move->getElapsed(), 0.0f, 1e-5f);
    runFrames(6);
    EXPECT_NEAR(move->getElapsed(), 0.1f, 1e-5f);
}

TEST_F(ActionsTest, RemovingByTagStopsEveryMatchOnThatNodeOnly)
{
    Node* other = Node::create();
    scene->addChild(other);
    Action* sideways = node->runAction(MoveBy::create(1.0f, Vec2(100, 0)));
    Action* upwards = node->runAction(MoveBy::create(1.0f, Vec2(0, 100)));
    Action* kept = node->runAction(MoveBy::create(1.0f, Vec2(0, 0)));
    Action* elsewhere = other->runAction(MoveBy::create(1.0f, Vec2(100, 0)));
    for (Action* tagged : {sideways, upwards, elsewhere})
    {
        tagged->setTag(7);
    }
    kept->setTag(8);

    node->getActionManager()->removeAllActionsByTag(7, node);
    EXPECT_EQ(node->getNumberOfRunningActions(), 1);
    EXPECT_EQ(node->getActionByTag(8), kept);
    EXPECT_EQ(other->getActionByTag(7), elsewhere);
    runFrames(10);
    EXPECT_EQ(node->getPosition(), Vec2::ZERO);
}

TEST_F(ActionsTest, RemovingWithCleanupDropsPendingCallbacks)
{
    int fired = 0;
    auto countFired = [&fired] { ++fired; };
    node->runAction(delayedCall(0.25f, countFired));
    runFrames(5);
    scene->removeChild(node, true);

    // The same from inside a callback that ends in the very step the victim's would.
    Node* remover = Node::create();
    Node* victim = Node::create();
    scene->addChild(remover);
    scene->addChild(victim);
    remover->runAction(delayedCall(0.25f, [this, victim] { scene->removeChild(victim, true); }));
    victim->runAction(delayedCall(0.25f, countFired));
    runFrames(60);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(scene->getChildrenCount(), 1);
}

TEST_F(ActionsTest, RemovingWithoutCleanupPausesActionsUntilTheNodeIsBack)
{
    node->runAction(MoveBy::create(kHalfSecond, Vec2(100, 0)));
    runFrames(10);
    node->retain();
    node->removeFromParentAndCleanup(false);
    const float x = node->getPositionX();
    runFrames(60);
    EXPECT_EQ(node->getPositionX(), x);
    scene->addChild(node);
    node->release();
    runFrames(60);
    EXPECT_EQ(node->getPositionX(), 100.0f);
}

// The receivers write into the fixture, which outlives them even if they leaked.
class SelectorCallbacks : public ActionsTest
{
protected:
    int calls = 0;
    bool plainGone = false;
    bool withNodeGone = false;
};

TEST_F(SelectorCallbacks, KeepTheirTargetAliveUntilTheActionGoes)
{
    Receiver* plain = Receiver::create(calls, plainGone);
    Receiver* withNode = Receiver::create(calls, withNodeGone);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    node->runAction(Sequence::create(DelayTime::create(0.25f),
                                     CallFunc::create(plain, CC_CALLFUNC_SELECTOR(Receiver::ping)),
                                     CallFuncN::create(withNode, CC_CALLFUNCN_SELECTOR(Receiver::pingWith)), nullptr));
#pragma GCC diagnostic pop
    runFrames(5); // the autorelease pool has let go of both by now
    EXPECT_FALSE(plainGone);
    EXPECT_FALSE(withNodeGone);
    runFrames(15);
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(plainGone);
    EXPECT_TRUE(withNodeGone);
}

} // namespace
