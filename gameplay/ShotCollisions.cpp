#include "HelloWorld.h"

USING_NS_CC;

namespace {
const std::uint32_t kPointsPerEnemy = 100;
}

void HelloWorld::resolveShotHits()
{
    // Scan first, remove after: the registries never change while they are walked.
    SpriteRegistry hitShots;
    SpriteRegistry hitEnemies;
    for (Sprite* shot : *shots)
    {
        const Rect projectileRect = spriteBox(shot);
        for (Sprite* enemy : *enemies)
        {
            if (spriteBox(enemy).intersectsRect(projectileRect))
            {
                hitShots.push_back(shot);
                // Birds stop shots unharmed.
                if (enemy->getTag() != TAG_BIRD)
                {
                    hitEnemies.push_back(enemy);
                }
            }
        }
    }

    // A sprite listed twice is handled by its first entry; a later one matches no pointer left
    // in the registry and is skipped without touching the (possibly destroyed) sprite.
    for (Sprite* shot : hitShots)
    {
        if (eraseFromRegistry(*shots, shot))
        {
            removeChild(shot, true);
        }
    }
    for (Sprite* enemy : hitEnemies)
    {
        if (eraseFromRegistry(*enemies, enemy))
        {
            removeChild(enemy, true);
            score += kPointsPerEnemy;
        }
    }
}
