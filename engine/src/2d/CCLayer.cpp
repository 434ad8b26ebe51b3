#include "2d/CCLayer.h"

#include "base/CCAutoreleased.h"
#include "base/CCDirector.h"

NS_CC_BEGIN

Layer::Layer()
{
    _ignoreAnchorPointForPosition = true;
    setAnchorPoint(Vec2::ANCHOR_MIDDLE);
}

Layer* Layer::create()
{
    return createAutoreleased<Layer>([&](Layer& layer) { return layer.init(); });
}

bool Layer::init()
{
    setContentSize(Director::getInstance()->getWinSize());
    return true;
}

bool Layer::onTouchBegan(Touch*, Event*)
{
    return false;
}

void Layer::onTouchMoved(Touch*, Event*)
{
}

void Layer::onTouchEnded(Touch*, Event*)
{
}

void Layer::onTouchCancelled(Touch*, Event*)
{
}

NS_CC_END
