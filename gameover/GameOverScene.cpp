#include "GameOverScene.h"

USING_NS_CC;

GameOverScene::~GameOverScene()
{
    CC_SAFE_RELEASE_NULL(layer);
}

bool GameOverScene::init()
{
    if (!Scene::init())
    {
        return false;
    }
    layer = GameOverLayer::create();
    layer->retain();
    addChild(layer);
    return true;
}

GameOverLayer* GameOverScene::getLayer()
{
    return layer;
}
