#pragma once

#include "cocos2d.h"

// Shows the end message in the middle of the window, then starts a new run after 3 seconds.
class GameOverLayer : public cocos2d::Layer
{
public:
    CREATE_FUNC(GameOverLayer);

    ~GameOverLayer() override;
    bool init() override;
    virtual cocos2d::LabelTTF* getLabel();

    void returnToGame();

    cocos2d::LabelTTF* label = nullptr;
};
