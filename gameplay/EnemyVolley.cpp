#include "HelloWorld.h"

USING_NS_CC;

void HelloWorld::fireEnemyVolley(float)
{
    // Appending to shots while walking enemies is safe: they are different registries.
    for (Sprite* enemy : *enemies)
    {
        if (enemy->getTag() != TAG_FIGHTER)
        {
            continue;
        }
        fireShot(Vec2(enemy->getPositionX() - MUZZLE_OFFSET, enemy->getPositionY()), TAG_ENEMY_SHOT, false);
    }
}
