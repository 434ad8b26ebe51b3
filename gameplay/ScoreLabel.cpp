#include "HelloWorld.h"

USING_NS_CC;

const std::string& HelloWorld::updateScoreText()
{
    scoreText = "SCORE " + std::to_string(score);
    return scoreText;
}

void HelloWorld::refreshScoreLabel()
{
    auto* label = dynamic_cast<Label*>(getChildByTag(TAG_SCORE_LABEL));
    label->setString(updateScoreText());
}
