#include <cmath>
#include <cstdlib>

#include "GameRun.h"

USING_NS_CC;
using namespace game_testing;
using testing_support::runFrames;

namespace {

const unsigned kSeed = 7151;

// The player's box, centred on its position.
const Size kPlayerSize(48, 32);

class HitAndTick : public GameRun
{
protected:
    // Lets one tick hand out its steps, then stops ticking so each step can be watched to its end.
    void tickOnceThenWatch()
    {
        runFrames(1);
        layer->unschedule(CC_SCHEDULE_SELECTOR(HelloWorld::tick));
    }
};

TEST_F(HitAndTick, EnemiesAndEnemyShotsHitThePlayerFromTheFirstTouchButPlayerShotsNever)
{
    startRun();
    player()->setPosition(320, 320); // spans 296..344 by 304..336
    for (int tag : {TAG_BIRD, TAG_BOMBER, TAG_FIGHTER, TAG_ENEMY_SHOT, TAG_PLAYER_SHOT})
    {
        for (float gap : {0.0f, 0.5f})
        {
            SCOPED_TRACE(testing::Message() << "tag " << tag << " with a gap of " << gap);
            Sprite* other = place(tag, 0, 0);
            const Size size = other->getContentSize();
            const bool counts = tag != TAG_PLAYER_SHOT && gap == 0;
            other->setPosition(344 + size.width / 2 + gap, 320);
            EXPECT_EQ(layer->isPlayerHit(), counts);
            other->setPosition(320, 304 - size.height / 2 - gap);
            EXPECT_EQ(layer->isPlayerHit(), counts);
            other->setPosition(320, 320);
            EXPECT_EQ(layer->isPlayerHit(), tag != TAG_PLAYER_SHOT);
            clearField();
        }
    }
}

TEST_F(HitAndTick, TouchingTheTopOrBottomEdgeIsAHitButTheSideEdgesAreNot)
{
    startRun();
    const float W = 960, H = 640;
    const float halfW = kPlayerSize.width / 2, halfH = kPlayerSize.height / 2;
    const struct
    {
        Vec2 at;
        bool hit;
    } cases[] = {{{320, H - halfH}, true}, {{320, H - halfH - 0.5f}, false}, {{320, H + 10}, true},
                 {{320, halfH}, true},     {{320, halfH + 0.5f}, false},     {{320, -10}, true},
                 {{halfW, 320}, false},    {{W - halfW, 320}, false},        {{-halfW, 320}, false},
                 {{W + halfW, 320}, false}};
    for (const auto& c : cases)
    {
        player()->setPosition(c.at);
        EXPECT_EQ(layer->isPlayerHit(), c.hit) << "player at " << c.at.x << "," << c.at.y;
    }
}

TEST_F(HitAndTick, TheSpawnIntervalStepsDownPerThousandPointsToItsFloor)
{
    enterRun();
    EXPECT_FLOAT_EQ(layer->spawnInterval, 2.0f);
    runFrames(2);
    EXPECT_FLOAT_EQ(layer->spawnInterval, 1.6f);
    EXPECT_EQ(layer->lastLevelScore, 0u);

    const float expected[] = {1.2f, 0.8f, 0.4f, 0.4f, 0.4f};
    for (int level = 1; level <= 5; ++level)
    {
        layer->score = 1000u * static_cast<unsigned>(level);
        runFrames(1);
        EXPECT_NEAR(layer->spawnInterval, expected[level - 1], 1e-5) << "at " << layer->score;
        EXPECT_EQ(layer->lastLevelScore, layer->score);
        EXPECT_TRUE(layer->isScheduled(CC_SCHEDULE_SELECTOR(HelloWorld::spawnEnemy)));
    }
}

TEST_F(HitAndTick, PassingOverAThousandGivesNoStepAndStandingOnOneGivesOnlyOne)
{
    enterRun();
    runFrames(2);
    layer->score = 900;
    runFrames(1);
    layer->score = 1100;
    runFrames(30);
    EXPECT_FLOAT_EQ(layer->spawnInterval, 1.6f);
    EXPECT_EQ(layer->lastLevelScore, 0u);

    layer->score = 2000;
    runFrames(60);
    EXPECT_FLOAT_EQ(layer->spawnInterval, 1.2f);
    EXPECT_EQ(layer->lastLevelScore, 2000u);
}

TEST_F(HitAndTick, EachStepRestartsTheSpawnTimer)
{
    enterRun();
    runFrames(2);
    runFrames(60); // a second into the 1.6 s wait
    EXPECT_TRUE(layer->enemies->empty());

    layer->score = 1000;
    runFrames(1);
    ASSERT_FLOAT_EQ(layer->spawnInterval, 1.2f);
    // Neither the old wait nor the new interval counted from the old start may bring an enemy now.
    runFrames(40);
    EXPECT_TRUE(layer->enemies->empty());
    runFrames(36);
    EXPECT_EQ(layer->enemies->size(), 1u);
}

TEST_F(HitAndTick, IdleBirdsAndFightersStepInRegistryOrderWhileBusyEnemiesAndBombersAreLeftAlone)
{
    startRun();
    const float playerY = 320;
    Sprite* bird = place(TAG_BIRD, 500, 200);
    Sprite* nearFighter = place(TAG_FIGHTER, 600, 200);
    Sprite* bomber = place(TAG_BOMBER, 700, 100);
    Sprite* busyBird = place(TAG_BIRD, 400, 500);
    busyBird->runAction(MoveBy::create(0.5f, Vec2(0, 10)));
    Sprite* farFighter = place(TAG_FIGHTER, 800, 600);

    srand(kSeed);
    const int birdDraw = rand();
    const bool nearFighterHalfWidth = rand() % 2 == 0;
    const bool farFighterHalfWidth = rand() % 2 == 0;
    const int nextDraw = rand();
    srand(kSeed);
    tickOnceThenWatch();
    EXPECT_EQ(rand(), nextDraw) << "one draw per stepping enemy, none for the others";

    const float signedDraw = static_cast<float>(birdDraw) / static_cast<float>(RAND_MAX) * 2 - 1;
    const float birdDy = static_cast<float>(static_cast<int>(signedDraw * 40));
    auto fighterDuration = [](float dy, bool halfWidth) {
        return static_cast<float>(std::sqrt(1600.0 + dy * dy)) / (halfWidth ? 480.0f : 320.0f);
    };
    const float nearDuration = fighterDuration(playerY - 200, nearFighterHalfWidth);
    const float farDuration = fighterDuration(playerY - 600, farFighterHalfWidth);

    runFrames(3);
    const float birdProgress = progressAfter(3, 0.1f);
    EXPECT_NEAR(bird->getPositionX(), 500 - 40 * birdProgress, 1e-3);
    EXPECT_NEAR(bird->getPositionY(), 200 + birdDy * birdProgress, 1e-3);
    EXPECT_NEAR(nearFighter->getPositionX(), 600 - 40 * progressAfter(3, nearDuration), 1e-2);
    EXPECT_NEAR(nearFighter->getPositionY(), 200 + 120 * progressAfter(3, nearDuration), 1e-2);
    EXPECT_NEAR(farFighter->getPositionX(), 800 - 40 * progressAfter(3, farDuration), 1e-2);
    EXPECT_NEAR(farFighter->getPositionY(), 600 - 280 * progressAfter(3, farDuration), 1e-2);

    runFrames(60);
    EXPECT_EQ(bird->getPosition(), Vec2(460, 200 + birdDy));
    EXPECT_EQ(nearFighter->getPosition(), Vec2(560, playerY));
    EXPECT_EQ(farFighter->getPosition(), Vec2(760, playerY));
    EXPECT_EQ(busyBird->getPosition(), Vec2(400, 510));
    EXPECT_EQ(bomber->getPosition(), Vec2(700, 100));
    EXPECT_EQ(bomber->getNumberOfRunningActions(), 0);
    EXPECT_EQ(layer->enemies->size(), 5u);
}

TEST_F(HitAndTick, AStepEndingOnOrBeyondTheLeftEdgeRetiresTheEnemy)
{
    startRun();
    Held birdToEdge(place(TAG_BIRD, 40, 300));
    Held fighterBeyond(place(TAG_FIGHTER, 30, 320));
    Sprite* birdInside = place(TAG_BIRD, 41, 200);
    tickOnceThenWatch();
    runFrames(60);

    EXPECT_EQ(birdToEdge->getPositionX(), 0);
    EXPECT_EQ(fighterBeyond->getPositionX(), -10);
    EXPECT_EQ(*layer->enemies, SpriteRegistry{birdInside});
    EXPECT_TRUE(!birdToEdge->getParent() && !fighterBeyond->getParent());
    EXPECT_EQ(birdInside->getPositionX(), 1);
    EXPECT_TRUE(onLayer(birdInside));
}

TEST_F(HitAndTick, AVolleyFiresOneShotLeftFromEachFighterInRegistryOrder)
{
    startRun();
    layer->unschedule(CC_SCHEDULE_SELECTOR(HelloWorld::tick));
    layer->unschedule(CC_SCHEDULE_SELECTOR(HelloWorld::fireEnemyVolley));
    place(TAG_BIRD, 500, 100);
    place(TAG_FIGHTER, 600, 150);
    place(TAG_BOMBER, 700, 400);
    place(TAG_FIGHTER, 800, 500);

    layer->fireEnemyVolley(layer->fireInterval);
    ASSERT_EQ(layer->shots->size(), 2u);
    Held first(layer->shots->at(0));
    Held second(layer->shots->at(1));
    EXPECT_EQ(first->getPosition(), Vec2(575, 150));
    EXPECT_EQ(second->getPosition(), Vec2(775, 500));
    EXPECT_TRUE(first->getTag() == TAG_ENEMY_SHOT && second->getTag() == TAG_ENEMY_SHOT);

    // To half a shot's width beyond the left edge, at one width per second.
    runFrames(20);
    EXPECT_NEAR(first->getPositionX(), 575 - 580 * progressAfter(20, 580 / 960.0f), 1e-2);
    EXPECT_NEAR(second->getPositionX(), 775 - 780 * progressAfter(20, 780 / 960.0f), 1e-2);
    runFrames(40);
    EXPECT_EQ(first->getPosition(), Vec2(-5, 150));
    EXPECT_EQ(second->getPosition(), Vec2(-5, 500));
    EXPECT_TRUE(layer->shots->empty());
    EXPECT_TRUE(!first->getParent() && !second->getParent());
}

} // namespace
