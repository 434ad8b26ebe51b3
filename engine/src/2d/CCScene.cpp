#include "2d/CCScene.h"

#include "base/CCAutoreleased.h"
#include "base/CCDirector.h"

NS_CC_BEGIN

Scene::Scene()
{
    _ignoreAnchorPointForPosition = true;
    setAnchorPoint(Vec2::ANCHOR_MIDDLE);
}

Scene* Scene::create()
{
    return createAutoreleased<Scene>([&](Scene& scene) { return scene.init(); });
}

Scene* Scene::createWithSize(const Size& size)
{
    return createAutoreleased<Scene>([&](Scene& scene) { return scene.initWithSize(size); });
}

bool Scene::init()
{
    return initWithSize(Director::getInstance()->getWinSize());
}

bool Scene::initWithSize(const Size& size)
{
    setContentSize(size);
    return true;
}

NS_CC_END
