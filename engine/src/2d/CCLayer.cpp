#include "2d/CCLayer.h"

#include "base/CCDirector.h"

NS_CC_BEGIN

Layer::Layer()
{
    _ignoreAnchorPointForPosition = true;
    setAnchorPoint(Vec2::ANCHOR_MIDDLE);
}

Layer* Layer::create()
{
    auto* layer = new (std::nothrow) Layer();
    if (layer && layer->init())
    {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
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
