#include <algorithm>

#include "HelloWorld.h"

USING_NS_CC;

Rect spriteBox(const Node* sprite)
{
    const Vec2& position = sprite->getPosition();
    const Size& size = sprite->getContentSize();
    return Rect(position.x - size.width / 2, position.y - size.height / 2, size.width, size.height);
}

bool eraseFromRegistry(SpriteRegistry& registry, const Sprite* sprite)
{
    auto found = std::find(registry.begin(), registry.end(), sprite);
    if (found == registry.end())
    {
        return false;
    }
    registry.erase(found);
    return true;
}

void HelloWorld::enlist(Sprite* sprite, const Vec2& position, int tag, SpriteRegistry& registry)
{
    sprite->setPosition(position);
    sprite->setTag(tag);
    registry.push_back(sprite);
    addChild(sprite);
}

void HelloWorld::moveThenRetire(Sprite* sprite, FiniteTimeAction* move)
{
    auto* retire = CallFuncN::create(this, CC_CALLFUNCN_SELECTOR(HelloWorld::retireSprite));
    sprite->runAction(Sequence::create(move, retire, nullptr));
}

void HelloWorld::fireShot(const Vec2& from, int tag, bool towardsRight)
{
    auto* shot = Sprite::create("Projectile.png");
    enlist(shot, from, tag, *shots);
    const float halfWidth = shot->getContentSize().width / 2;
    const float targetX = towardsRight ? visibleSize.width + halfWidth : 0 - halfWidth;
    const float distance = towardsRight ? targetX - shot->getPositionX() : shot->getPositionX() - targetX;
    moveThenRetire(shot, MoveTo::create(distance / visibleSize.width, Vec2(targetX, from.y)));
}

void HelloWorld::retireSprite(Node* node)
{
    auto* sprite = dynamic_cast<Sprite*>(node);
    const float x = sprite->getPositionX();
    if (x > 0 && x < visibleSize.width)
    {
        return;
    }
    const int tag = sprite->getTag();
    if (tag == TAG_PLAYER_SHOT || tag == TAG_ENEMY_SHOT)
    {
        eraseFromRegistry(*shots, sprite);
    }
    else if (tag == TAG_BIRD || tag == TAG_BOMBER || tag == TAG_FIGHTER)
    {
        eraseFromRegistry(*enemies, sprite);
    }
    removeChild(sprite, true);
}
