#include <cmath>
#include <cstdlib>
#include <deque>
#include <map>
#include <vector>

#include "GameRun.h"

USING_NS_CC;
using namespace game_testing;
using testing_support::runFrames;

namespace {

const unsigned kSeed = 20240611;

// What one spawn draws, replayed from the C generator independently of the game.
struct Draw
{
    int tag;
    int y;
    bool evenSpeedDraw;
};

Draw drawBird(float H)
{
    return {TAG_BIRD, rand() % static_cast<int>(H) / 3, false};
}

Draw drawBomber(float H)
{
    const int y = rand() % 2 == 0 ? static_cast<int>(H / 2) : static_cast<int>(H - 20);
    return {TAG_BOMBER, y, rand() % 2 == 0};
}

Draw drawFighter(float H)
{
    const int y = rand() % static_cast<int>(H);
    return {TAG_FIGHTER, y, rand() % 2 == 0};
}

Draw drawAny(float H)
{
    switch (rand() % 3)
    {
    case 0: return drawBird(H);
    case 1: return drawBomber(H);
    default: return drawFighter(H);
    }
}

std::vector<Draw> replay(int count, Draw (*draw)(float), float H)
{
    srand(kSeed);
    std::vector<Draw> draws;
    for (int i = 0; i < count; ++i)
    {
        draws.push_back(draw(H));
    }
    srand(kSeed);
    return draws;
}

// Spawned moves are watched alone: no tick steps them afterwards.
class Spawning : public GameRun
{
protected:
    HelloWorld* startQuietRun(float width, float height)
    {
        startRun(width, height);
        layer->unschedule(CC_SCHEDULE_SELECTOR(HelloWorld::tick));
        return layer;
    }
};

TEST_F(Spawning, EachSpawnIsTheDrawnKindAtTheDrawnHeightInsideTheRightEdge)
{
    // A fractional view: every coordinate is cut to whole units as the draws are.
    startQuietRun(961.5f, 641.5f);
    const std::vector<Draw> draws = replay(300, drawAny, 641.5f);
    for (size_t i = 0; i < draws.size(); ++i)
    {
        layer->spawnEnemy(layer->spawnInterval);
    }

    ASSERT_EQ(layer->enemies->size(), draws.size());
    std::map<int, int> kinds;
    for (size_t i = 0; i < draws.size(); ++i)
    {
        SCOPED_TRACE(testing::Message() << "spawn " << i);
        Sprite* enemy = layer->enemies->at(i);
        EXPECT_EQ(enemy->getTag(), draws[i].tag);
        EXPECT_EQ(enemy->getPosition(), Vec2(941, static_cast<float>(draws[i].y)));
        EXPECT_TRUE(onLayer(enemy));
        EXPECT_EQ(enemy->getNumberOfRunningActions(), 1);
        ++kinds[enemy->getTag()];
        const float y = enemy->getPositionY();
        switch (enemy->getTag())
        {
        case TAG_BIRD: EXPECT_TRUE(y >= 0 && y <= 640 / 3) << y; break;
        case TAG_BOMBER: EXPECT_TRUE(y == 320 || y == 621) << y; break;
        default: EXPECT_TRUE(y >= 0 && y <= 640) << y; break;
        }
    }
    EXPECT_EQ(kinds.size(), 3u);
}

TEST_F(Spawning, ABomberCrossesToTheLeftEdgeInTwoOrThreeSecondsAndIsRetiredThere)
{
    startQuietRun(960, 640);
    const std::vector<Draw> draws = replay(6, drawBomber, 640);
    std::deque<Held> bombers;
    for (size_t i = 0; i < draws.size(); ++i)
    {
        layer->spawnBomber();
        bombers.emplace_back(layer->enemies->back());
    }

    runFrames(60);
    for (size_t i = 0; i < draws.size(); ++i)
    {
        const float duration = draws[i].evenSpeedDraw ? 2.0f : 3.0f;
        EXPECT_NEAR(bombers[i]->getPositionX(), 940 * (1 - progressAfter(60, duration)), 1e-2) << "bomber " << i;
        EXPECT_EQ(bombers[i]->getPositionY(), static_cast<float>(draws[i].y));
    }

    // Half a second after the quick ones have arrived: only the slow ones are still flying.
    runFrames(90);
    for (size_t i = 0; i < draws.size(); ++i)
    {
        SCOPED_TRACE(testing::Message() << "bomber " << i);
        const bool slow = !draws[i].evenSpeedDraw;
        EXPECT_EQ(listed(*layer->enemies, bombers[i].get()), slow);
        EXPECT_EQ(onLayer(bombers[i].get()), slow);
    }

    runFrames(60);
    EXPECT_TRUE(layer->enemies->empty());
    for (size_t i = 0; i < draws.size(); ++i)
    {
        EXPECT_EQ(bombers[i]->getPosition(), Vec2(0, static_cast<float>(draws[i].y))) << "bomber " << i;
        EXPECT_EQ(bombers[i]->getParent(), nullptr);
    }
}

TEST_F(Spawning, ABirdFirstClimbsFortyWhileMovingFortyLeftAtHalfTheWidthPerSecond)
{
    startQuietRun(1000, 640);
    const std::vector<Draw> draws = replay(4, drawBird, 640);
    for (size_t i = 0; i < draws.size(); ++i)
    {
        layer->spawnBird();
    }

    const float duration = 40 / 500.0f;
    runFrames(3);
    for (size_t i = 0; i < draws.size(); ++i)
    {
        const Vec2 start(980, static_cast<float>(draws[i].y));
        const Vec2 expected = start + Vec2(-40, 40) * progressAfter(3, duration);
        EXPECT_NEAR(layer->enemies->at(i)->getPositionX(), expected.x, 1e-3) << "bird " << i;
        EXPECT_NEAR(layer->enemies->at(i)->getPositionY(), expected.y, 1e-3) << "bird " << i;
    }
    runFrames(10);
    for (size_t i = 0; i < draws.size(); ++i)
    {
        EXPECT_EQ(layer->enemies->at(i)->getPosition(), Vec2(940, static_cast<float>(draws[i].y + 40))) << "bird " << i;
    }
}

TEST_F(Spawning, AFighterFirstMovesFortyLeftToThePlayersHeightAtTheDrawnSpeed)
{
    startQuietRun(1000, 640);
    const float W = 1000;
    const float playerY = 500;
    player()->setPositionY(playerY);
    const std::vector<Draw> draws = replay(6, drawFighter, 640);
    for (size_t i = 0; i < draws.size(); ++i)
    {
        layer->spawnFighter();
    }

    runFrames(3);
    for (size_t i = 0; i < draws.size(); ++i)
    {
        const float dy = playerY - static_cast<float>(draws[i].y);
        const float unitsPerSecond = draws[i].evenSpeedDraw ? W / 2 : W / 3;
        const float duration = static_cast<float>(std::sqrt(1600.0 + dy * dy)) / unitsPerSecond;
        const float progress = progressAfter(3, duration);
        EXPECT_NEAR(layer->enemies->at(i)->getPositionX(), 980 - 40 * progress, 1e-2) << "fighter " << i;
        EXPECT_NEAR(layer->enemies->at(i)->getPositionY(), draws[i].y + dy * progress, 1e-2) << "fighter " << i;
    }
    // The longest first move, from the bottom at a third of the width per second, is under two seconds.
    runFrames(120);
    for (size_t i = 0; i < draws.size(); ++i)
    {
        EXPECT_EQ(layer->enemies->at(i)->getPosition(), Vec2(940, playerY)) << "fighter " << i;
    }
}

} // namespace
