#include "HelloWorld.h"

USING_NS_CC;

namespace {
const auto kLeftButton = EventMouse::MouseButton::BUTTON_LEFT;
}

void HelloWorld::handleMouseDown(Event* event)
{
    auto* mouse = static_cast<EventMouse*>(event);
    if (mouse->getMouseButton() == kLeftButton)
    {
        schedule(CC_SCHEDULE_SELECTOR(HelloWorld::firePlayerShot), fireInterval);
    }
}

void HelloWorld::handleMouseUp(Event* event)
{
    auto* mouse = static_cast<EventMouse*>(event);
    if (mouse->getMouseButton() == kLeftButton)
    {
        unschedule(CC_SCHEDULE_SELECTOR(HelloWorld::firePlayerShot));
    }
}

void HelloWorld::handleMouseMove(Event* event)
{
    auto* mouse = static_cast<EventMouse*>(event);
    Sprite* player = findPlayer();
    // One steering move at a time: movements during it are dropped, not queued.
    if (player->getActionByTag(TAG_STEER_ACTION))
    {
        return;
    }
    // Without a design resolution the cursor's y is minus the pointer's depth below the top edge.
    const float targetY = mouse->getCursorY() + visibleSize.height;
    auto* steer = MoveTo::create(steerDuration, Vec2(player->getPositionX(), targetY));
    steer->setTag(TAG_STEER_ACTION);
    player->runAction(steer);
}

void HelloWorld::firePlayerShot(float)
{
    const Sprite* player = findPlayer();
    fireShot(Vec2(player->getPositionX() + MUZZLE_OFFSET, player->getPositionY()), TAG_PLAYER_SHOT, true);
}
