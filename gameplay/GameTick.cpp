#include <cstdlib>

#include "GameOverScene.h"
#include "HelloWorld.h"

USING_NS_CC;

namespace {
const float kBirdStepDuration = 0.1f;
const float kStepLeft = -40.0f;
const std::uint32_t kPointsPerLevel = 1000;
const float kSpawnIntervalStep = 0.4f;
const float kSpawnIntervalFloor = 0.5f;
}

float randomSigned()
{
    // Scaled by the runtime's own range, so every platform stays within [-1, 1].
    const float r = static_cast<float>(rand());
    return r / static_cast<float>(RAND_MAX) * 2 - 1;
}

void HelloWorld::tick(float)
{
    refreshScoreLabel();
    resolveShotHits();

    if (isPlayerHit())
    {
        GameOverScene* gameOver = GameOverScene::create();
        gameOver->getLayer()->getLabel()->setString("You Lose!");
        Director::getInstance()->replaceScene(gameOver);
        // The switch happens after this frame's callbacks: the rest of the tick still runs.
    }

    const Sprite* player = findPlayer();
    for (Sprite* enemy : *enemies)
    {
        const int tag = enemy->getTag();
        const bool idle = getActionManager()->getNumberOfRunningActionsInTarget(enemy) == 0;
        if (tag == TAG_BIRD && idle)
        {
            stepBird(enemy);
        }
        else if (tag == TAG_FIGHTER && idle)
        {
            stepFighter(enemy, player);
        }
    }

    if (score != lastLevelScore && score % kPointsPerLevel == 0)
    {
        levelUpPending = true;
    }
    if (levelUpPending)
    {
        takeDifficultyStep();
    }
}

void HelloWorld::takeDifficultyStep()
{
    lastLevelScore = score;
    levelUpPending = false;
    if (spawnInterval > kSpawnIntervalFloor)
    {
        spawnInterval -= kSpawnIntervalStep;
    }
    // Rescheduling restarts the spawn timer from zero, even when the interval is unchanged.
    unschedule(CC_SCHEDULE_SELECTOR(HelloWorld::spawnEnemy));
    schedule(CC_SCHEDULE_SELECTOR(HelloWorld::spawnEnemy), spawnInterval);
}

void HelloWorld::stepBird(Sprite* bird)
{
    const int dy = static_cast<int>(randomSigned() * 40);
    moveThenRetire(bird, MoveBy::create(kBirdStepDuration, Vec2(kStepLeft, static_cast<float>(dy))));
}

void HelloWorld::stepFighter(Sprite* fighter, const Sprite* player)
{
    const float w = visibleSize.width;
    const float dx = kStepLeft;
    const float dy = player->getPositionY() - fighter->getPositionY();
    const float ratio = moveDistance(dx, dy) / w;
    const float duration = (w / drawSpeed(w)) * ratio;
    moveThenRetire(fighter, MoveBy::create(duration, Vec2(dx, dy)));
}
