// Scheduler: timer first-frame skip and catch-up, restarts, unscheduling mid-pass, repeat and
// delay, the order of actions, updates and timers, and targets that are not running yet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineFixture.h"

USING_NS_CC;
using namespace testing_support;

namespace {

using Calls = std::vector<float>;
using Journal = std::vector<std::string>;

// Records what the scheduler hands it. Step sizes are powers of two, so sums are exact.
class Ticker : public Node
{
public:
    CREATE_FUNC(Ticker);

    void tick(float dt)
    {
        ticks.push_back(dt);
        if (onTick)
        {
            onTick();
        }
    }
    void tock(float dt) { tocks.push_back(dt); }
    void update(float) override
    {
        ++updates;
        if (journal)
        {
            journal->push_back(getName() + " update");
        }
        if (onUpdate)
        {
            onUpdate();
        }
    }

    Calls ticks;
    Calls tocks;
    int updates = 0;
    std::function<void()> onTick;
    std::function<void()> onUpdate;
    Journal* journal = nullptr;
};

// The scheduler's own catch-up over long frames: the Director would count a frame over a
// fifth of a second as a sixtieth, so the steps go to the scheduler directly.
void stepScheduler(int count, float dt)
{
    for (int i = 0; i < count; ++i)
    {
        Director::getInstance()->getScheduler()->update(dt);
    }
}

const SEL_SCHEDULE kTick = CC_SCHEDULE_SELECTOR(Ticker::tick);
const SEL_SCHEDULE kTock = CC_SCHEDULE_SELECTOR(Ticker::tock);

class SchedulerTest : public RunningSceneTest
{
protected:
    Ticker* addTicker(const std::string& name = "")
    {
        auto* ticker = Ticker::create();
        ticker->setName(name);
        scene->addChild(ticker);
        return ticker;
    }
};

TEST_F(SchedulerTest, NewTimerSkipsTheFrameItFirstSeesThenFiresOncePerInterval)
{
    Ticker* ticker = addTicker();
    ticker->schedule(kTick, 0.25f);
    stepScheduler(1, 0.5f); // only starts the clock, however long the frame
    EXPECT_TRUE(ticker->ticks.empty());
    stepScheduler(1, 0.125f);
    EXPECT_TRUE(ticker->ticks.empty());
    stepScheduler(1, 0.125f);
    EXPECT_EQ(ticker->ticks, Calls{0.25f});
    stepScheduler(4, 0.125f);
    EXPECT_EQ(ticker->ticks, Calls(3, 0.25f));
}

TEST_F(SchedulerTest, LongFrameCatchesUpOneCallPerIntervalAndKeepsTheRemainder)
{
    Ticker* ticker = addTicker();
    ticker->schedule(kTick, 0.25f);
    runFrames(1);
    stepScheduler(1, 1.0f);
    EXPECT_EQ(ticker->ticks, Calls(4, 0.25f)); // each call is told the interval, not the frame
    stepScheduler(1, 0.625f);
    EXPECT_EQ(ticker->ticks.size(), 6u);
    stepScheduler(1, 0.125f); // with the 0.125 left over, a whole interval has passed
    EXPECT_EQ(ticker->ticks.size(), 7u);
}

TEST_F(SchedulerTest, SchedulingTheSameCallbackAgainRestartsItAsOneTimer)
{
    Ticker* ticker = addTicker();
    int keyed = 0;
    auto countKeyed = [&keyed](float) { ++keyed; };
    ticker->schedule(kTick, 0.25f);
    ticker->schedule(countKeyed, 0.25f, "keyed");
    runFrames(1);
    stepScheduler(1, 0.125f); // halfway to the first call

    ticker->schedule(kTick, 0.5f);
    ticker->schedule(countKeyed, 0.5f, "keyed");
    stepScheduler(1, 0.5f); // restarted: this frame only starts the clock again
    EXPECT_TRUE(ticker->ticks.empty());
    stepScheduler(4, 0.25f);
    EXPECT_EQ(ticker->ticks, Calls(2, 0.5f));
    EXPECT_EQ(keyed, 2);

    ticker->unschedule(kTick);
    ticker->unschedule("keyed");
    stepScheduler(4, 0.25f); // a duplicate left behind would still fire
    EXPECT_EQ(ticker->ticks.size(), 2u);
    EXPECT_EQ(keyed, 2);
}

TEST_F(SchedulerTest, TimerReplacedFromAnotherTimersCallbackStartsAfresh)
{
    // The game's tick speeds up spawning this way: unschedule, then schedule anew.
    Ticker* ticker = addTicker();
    ticker->schedule(kTick);
    ticker->schedule(kTock, 0.25f);
    runFrames(1);
    stepScheduler(1, 0.125f);
    bool replaced = false;
    ticker->onTick = [ticker, &replaced] {
        if (!replaced)
        {
            replaced = true;
            ticker->unschedule(kTock);
            ticker->schedule(kTock, 0.5f);
        }
    };
    stepScheduler(1, 0.125f); // the old timer would have fired here; the new one starts its clock
    EXPECT_TRUE(ticker->tocks.empty());
    stepScheduler(1, 0.25f);
    EXPECT_TRUE(ticker->tocks.empty());
    stepScheduler(1, 0.25f);
    EXPECT_EQ(ticker->tocks, Calls{0.5f});
}

TEST_F(SchedulerTest, UnschedulingInsideACallbackStopsFurtherCalls)
{
    Ticker* quitter = addTicker();
    quitter->schedule(kTick, 0.25f);
    quitter->onTick = [quitter] { quitter->unschedule(kTick); };

    // Stops its own later timer and destroys a node whose timer comes later in the pass.
    Ticker* stopper = addTicker();
    stopper->schedule(kTick, 0.25f);
    stopper->schedule(kTock, 0.25f);
    int victimCalls = 0;
    Ticker* victim = addTicker();
    victim->schedule(kTick, 0.25f);
    victim->onTick = [&victimCalls] { ++victimCalls; };
    stopper->onTick = [stopper, &victim] {
        stopper->unschedule(kTock);
        if (victim)
        {
            victim->removeFromParent();
            victim = nullptr;
        }
    };

    runFrames(1);
    stepScheduler(1, 1.0f); // four intervals are due for every timer
    EXPECT_EQ(quitter->ticks.size(), 1u);
    EXPECT_EQ(stopper->ticks.size(), 4u);
    EXPECT_TRUE(stopper->tocks.empty());
    EXPECT_EQ(victimCalls, 0);
    stepScheduler(2, 1.0f);
    EXPECT_EQ(quitter->ticks.size(), 1u);
    EXPECT_TRUE(stopper->tocks.empty());
}

TEST_F(SchedulerTest, SelectorWithoutIntervalRunsEveryFrameWithTheFrameTime)
{
    Ticker* ticker = addTicker();
    ticker->schedule(kTick);
    runFrames(1);
    stepScheduler(3, 0.125f);
    EXPECT_EQ(ticker->ticks, Calls(3, 0.125f));
}

TEST_F(SchedulerTest, ActionsRunFirstThenUpdatesByPriorityThenTimers)
{
    Journal journal;
    for (auto [name, priority] : {std::pair{"late", 5}, std::pair{"plain", 0}, std::pair{"early", -5}})
    {
        Ticker* ticker = addTicker(name);
        ticker->journal = &journal;
        ticker->scheduleUpdateWithPriority(priority);
    }
    Node* timed = scene->getChildByName("plain");
    timed->schedule([&journal](float) { journal.push_back("timer"); }, "timer");
    runFrames(1); // updates have no first-frame skip; the timer does
    EXPECT_EQ(journal, (Journal{"early update", "plain update", "late update"}));

    journal.clear();
    timed->runAction(CallFunc::create([&journal] { journal.push_back("action"); }));
    runFrames(1);
    EXPECT_EQ(journal, (Journal{"action", "early update", "plain update", "late update", "timer"}));
}

TEST_F(SchedulerTest, NodeOutsideTheRunningSceneGetsNothingUntilItEnters)
{
    auto* ticker = Ticker::create();
    ticker->retain();
    ticker->schedule(kTick);
    ticker->scheduleUpdate();
    ticker->runAction(MoveBy::create(1.0f, Vec2(60, 0)));
    runFrames(10);
    EXPECT_TRUE(ticker->ticks.empty());
    EXPECT_EQ(ticker->updates, 0);
    EXPECT_EQ(ticker->getPositionX(), 0.0f);
    Scheduler* scheduler = Director::getInstance()->getScheduler();
    EXPECT_TRUE(scheduler->isTargetPaused(ticker));

    scene->addChild(ticker);
    EXPECT_FALSE(scheduler->isTargetPaused(ticker));
    runFrames(2);
    EXPECT_EQ(ticker->ticks.size(), 1u); // its timer's first frame comes after it entered
    EXPECT_EQ(ticker->updates, 2);
    EXPECT_GT(ticker->getPositionX(), 0.0f);

    ticker->removeFromParentAndCleanup(false); // leaving pauses it all again
    EXPECT_TRUE(scheduler->isTargetPaused(ticker));
    const float x = ticker->getPositionX();
    runFrames(5);
    EXPECT_EQ(ticker->ticks.size(), 1u);
    EXPECT_EQ(ticker->updates, 2);
    EXPECT_EQ(ticker->getPositionX(), x);
    ticker->release();
    runFrames(1); // the action manager lets go of a node nobody else holds
}

TEST_F(SchedulerTest, RepeatAndDelayCountTheCallsAndStopWhenUsedUp)
{
    Ticker* ticker = addTicker();
    ticker->schedule(kTick, 0.25f, 2, 0.5f); // three calls, the first half a second in
    runFrames(1);
    stepScheduler(1, 0.25f);
    EXPECT_TRUE(ticker->ticks.empty());
    stepScheduler(1, 0.25f);
    EXPECT_EQ(ticker->ticks, Calls{0.5f}); // the delayed call is told the delay
    stepScheduler(4, 0.25f);
    EXPECT_EQ(ticker->ticks, (Calls{0.5f, 0.25f, 0.25f}));
    EXPECT_FALSE(ticker->isScheduled(kTick));

    Ticker* once = addTicker();
    once->scheduleOnce(kTick, 0.5f);
    Ticker* thrice = addTicker();
    thrice->schedule(kTick, 0.25f, 2, 0.5f);
    runFrames(1);
    stepScheduler(1, 10.0f); // a huge frame cannot exceed the count
    EXPECT_EQ(once->ticks, Calls{0.5f});
    EXPECT_EQ(thrice->ticks, (Calls{0.5f, 0.25f, 0.25f}));
}

TEST_F(SchedulerTest, TimerArmedAgainInItsLastCallStartsAFreshRun)
{
    // The call is counted before the callback runs, so the old timer is used up and the
    // re-arm adds a new one instead of restarting the one that is about to be dropped.
    Ticker* once = addTicker();
    once->scheduleOnce(kTick, 0.25f);
    once->onTick = [once] {
        if (once->ticks.size() < 3)
        {
            once->scheduleOnce(kTick, 0.25f);
        }
    };
    Ticker* twice = addTicker();
    twice->schedule(kTick, 0.25f, 1, 0.0f);
    twice->onTick = [twice] {
        if (twice->ticks.size() == 2)
        {
            twice->schedule(kTick, 0.25f, 1, 0.0f);
        }
    };
    runFrames(1);
    stepScheduler(2, 0.125f);
    EXPECT_EQ(once->ticks, Calls{0.25f});
    stepScheduler(1, 0.125f); // the fresh timer's first frame only starts its clock
    stepScheduler(2, 0.125f);
    EXPECT_EQ(once->ticks, (Calls{0.25f, 0.25f}));
    stepScheduler(20, 0.125f);
    EXPECT_EQ(once->ticks.size(), 3u);
    EXPECT_FALSE(once->isScheduled(kTick));
    EXPECT_EQ(twice->ticks, Calls(4, 0.25f));
    EXPECT_FALSE(twice->isScheduled(kTick));
}

TEST_F(SchedulerTest, UpdatesScheduledDuringThePassRunInTheSameFrame)
{
    Journal journal;
    Ticker* late = addTicker("late");
    late->journal = &journal;
    late->scheduleUpdateWithPriority(5);
    Ticker* fromAction = addTicker("from action");
    fromAction->journal = &journal;
    Ticker* early = addTicker("early");
    early->journal = &journal;
    // Actions run before every other update; what they schedule still runs this frame.
    scene->runAction(CallFunc::create([fromAction] { fromAction->scheduleUpdate(); }));
    // An entry ahead of the one running waits for the next frame, and nothing runs twice.
    late->onUpdate = [early, &journal] {
        if (early->updates == 0 && journal.size() == 2)
        {
            early->scheduleUpdateWithPriority(-5);
        }
    };
    runFrames(1);
    EXPECT_EQ(journal, (Journal{"from action update", "late update"}));

    // A node made and scheduled by an update takes part in that same pass once it runs.
    Ticker* made = nullptr;
    fromAction->onUpdate = [this, &made, &journal] {
        if (!made)
        {
            made = Ticker::create();
            made->setName("made");
            made->journal = &journal;
            made->scheduleUpdateWithPriority(1);
            scene->addChild(made);
        }
    };
    journal.clear();
    runFrames(1);
    EXPECT_EQ(journal, (Journal{"early update", "from action update", "made update", "late update"}));
}

} // namespace
