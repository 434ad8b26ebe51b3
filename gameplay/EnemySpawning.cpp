#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "HelloWorld.h"

USING_NS_CC;

namespace {
// Enemies enter with their centre this far inside the right edge.
const float kEntryInset = 20.0f;
const float kStepLeft = -40.0f;

// rand() % n for a dimension in whole units; a degenerate view still gets a defined draw.
int drawBelow(float extent)
{
    return rand() % std::max(1, static_cast<int>(extent));
}
}

float moveDistance(float dx, float dy)
{
    return static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

float drawSpeed(float width)
{
    return rand() % 2 == 0 ? width / 2 : width / 3;
}

void HelloWorld::spawnEnemy(float)
{
    switch (rand() % 3)
    {
    case 0: spawnBird(); break;
    case 1: spawnBomber(); break;
    default: spawnFighter(); break;
    }
}

void HelloWorld::spawnBird()
{
    const float W = visibleSize.width;
    auto* bird = Sprite::create("Bird.png");
    const int x = static_cast<int>(W - kEntryInset);
    const int y = drawBelow(visibleSize.height) / 3;
    // 40 units at half the visible width per second.
    const float duration = (W / (W / 2)) * (40 / W);
    enlist(bird, Vec2(static_cast<float>(x), static_cast<float>(y)), TAG_BIRD, *enemies);
    moveThenRetire(bird, MoveBy::create(duration, Vec2(kStepLeft, 40)));
}

void HelloWorld::spawnBomber()
{
    const float W = visibleSize.width;
    const float H = visibleSize.height;
    auto* bomber = Sprite::create("Bomber.png");
    const int x = static_cast<int>(W - kEntryInset);
    const int y = rand() % 2 == 0 ? static_cast<int>(H / 2) : static_cast<int>(H - kEntryInset);
    const float duration = (W / drawSpeed(W)) * 1.0f;
    enlist(bomber, Vec2(static_cast<float>(x), static_cast<float>(y)), TAG_BOMBER, *enemies);
    moveThenRetire(bomber, MoveTo::create(duration, Vec2(0, static_cast<float>(y))));
}

void HelloWorld::spawnFighter()
{
    const float W = visibleSize.width;
    const Sprite* player = findPlayer();
    auto* fighter = Sprite::create("Fighter.png");
    const int x = static_cast<int>(W - kEntryInset);
    const int y = drawBelow(visibleSize.height);
    const float dx = kStepLeft;
    const float dy = player->getPositionY() - static_cast<float>(y);
    const float length = moveDistance(dx, dy) / W;
    const float duration = (W / drawSpeed(W)) * length;
    enlist(fighter, Vec2(static_cast<float>(x), static_cast<float>(y)), TAG_FIGHTER, *enemies);
    moveThenRetire(fighter, MoveBy::create(duration, Vec2(dx, dy)));
}
