#pragma once

#include "GameOverLayer.h"
#include "cocos2d.h"

// The screen between two runs: one GameOverLayer.
class GameOverScene : public cocos2d::Scene
{
public:
    CREATE_FUNC(GameOverScene);

    ~GameOverScene() override;
    bool init() override;
    virtual GameOverLayer* getLayer();

    GameOverLayer* layer = nullptr;
};
