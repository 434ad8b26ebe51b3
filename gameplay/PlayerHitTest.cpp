#include "HelloWorld.h"

USING_NS_CC;

bool HelloWorld::isPlayerHit()
{
    const Rect playerRect = spriteBox(findPlayer());
    for (const Sprite* enemy : *enemies)
    {
        if (spriteBox(enemy).intersectsRect(playerRect))
        {
            return true;
        }
    }
    for (const Sprite* shot : *shots)
    {
        // The player's own shots start inside its box and never count.
        if (shot->getTag() == TAG_ENEMY_SHOT && spriteBox(shot).intersectsRect(playerRect))
        {
            return true;
        }
    }
    // Touching the top or bottom edge exactly is already a loss.
    return playerRect.getMaxY() >= visibleSize.height || playerRect.getMinY() <= 0;
}
