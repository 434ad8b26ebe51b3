#include "GameOverLayer.h"

#include "HelloWorld.h"
#include "MissingResources.h"

USING_NS_CC;

namespace {
const float kMessageSeconds = 3.0f;
}

GameOverLayer::~GameOverLayer()
{
    CC_SAFE_RELEASE_NULL(label);
}

bool GameOverLayer::init()
{
    const Size winSize = Director::getInstance()->getWinSize();
    label = LabelTTF::create("", "Artial", 32, Size::ZERO, TextHAlignment::CENTER, TextVAlignment::TOP);
    label->retain();
    label->setPosition(Vec2(winSize.width / 2, winSize.height / 2));
    addChild(label);
    runAction(Sequence::create(DelayTime::create(kMessageSeconds),
                               CallFunc::create(this, CC_CALLFUNC_SELECTOR(GameOverLayer::returnToGame)), nullptr));
    return true;
}

LabelTTF* GameOverLayer::getLabel()
{
    return label;
}

void GameOverLayer::returnToGame()
{
    Scene* scene = HelloWorld::makeScene();
    if (!scene)
    {
        // The new run could not be built (the engine has named the missing file).
        reportMissingResources();
        Director::getInstance()->end();
        return;
    }
    Director::getInstance()->replaceScene(scene);
}
