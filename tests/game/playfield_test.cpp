#include <gtest/gtest.h>

#include "AppDelegate.h"
#include "Frames.h"
#include "GameRun.h"
#include "HeadlessView.h"
#include "HelloWorld.h"

USING_NS_CC;
using namespace testing_support;

namespace {

// A view whose visible area is a window inside the frame, as a design resolution that crops would leave it.
class OffsetView : public HeadlessView
{
public:
    static OffsetView* create() { return createFramed<OffsetView>(); }

    Size getVisibleSize() const override { return Size(900, 600); }
    Vec2 getVisibleOrigin() const override { return Vec2(30, 20); }
};

class Playfield : public game_testing::GameRun
{
protected:
    static Node* childWithoutTag(Node* parent, const std::function<bool(Node*)>& matches)
    {
        for (Node* child : parent->getChildren())
        {
            if (matches(child))
            {
                return child;
            }
        }
        return nullptr;
    }
};

TEST_F(Playfield, LaysOutCloseButtonTitleScoreAndPlayer)
{
    enterRun();
    ASSERT_NE(layer, nullptr);

    Node* player = layer->getChildByTag(TAG_PLAYER);
    ASSERT_NE(player, nullptr);
    EXPECT_FLOAT_EQ(player->getPositionX(), 960.0f / 3);
    EXPECT_FLOAT_EQ(player->getPositionY(), 320.0f);
    EXPECT_EQ(player->getLocalZOrder(), 0);

    auto* score = dynamic_cast<Label*>(layer->getChildByTag(TAG_SCORE_LABEL));
    ASSERT_NE(score, nullptr);
    EXPECT_EQ(score->getString(), "SCORE 0");
    const Size scoreSize = score->getContentSize();
    EXPECT_GT(scoreSize.width, 0);
    EXPECT_FLOAT_EQ(score->getPositionX(), 960 - scoreSize.width);
    EXPECT_FLOAT_EQ(score->getPositionY(), 640 - scoreSize.height);

    auto* menu = dynamic_cast<Menu*>(childWithoutTag(layer, [](Node* n) { return dynamic_cast<Menu*>(n); }));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getLocalZOrder(), 1);
    Node* close = menu->getChildren().at(0);
    const Size closeSize = close->getContentSize();
    // The button's lower-right corner is the visible area's lower-right corner.
    EXPECT_FLOAT_EQ(close->getPositionX() + closeSize.width / 2, 960);
    EXPECT_FLOAT_EQ(close->getPositionY() - closeSize.height / 2, 0);

    auto* title = dynamic_cast<Label*>(childWithoutTag(layer, [](Node* n) {
        auto* label = dynamic_cast<Label*>(n);
        return label && label->getString() == "Skyvane";
    }));
    ASSERT_NE(title, nullptr);
    EXPECT_FLOAT_EQ(title->getPositionX(), 480);
    EXPECT_FLOAT_EQ(title->getPositionY(), 640 - title->getContentSize().height);
}

TEST_F(Playfield, ARunStartsFromItsInitialValues)
{
    enterRun();
    EXPECT_EQ(layer->score, 0u);
    EXPECT_EQ(layer->lastLevelScore, 1u);
    EXPECT_FLOAT_EQ(layer->fireInterval, 0.15f);
    EXPECT_FLOAT_EQ(layer->steerDuration, 0.25f);
    ASSERT_TRUE(layer->enemies && layer->shots);
    EXPECT_TRUE(layer->enemies->empty());
    EXPECT_TRUE(layer->shots->empty());
    EXPECT_TRUE(layer->isScheduled(CC_SCHEDULE_SELECTOR(HelloWorld::tick)));
    EXPECT_TRUE(layer->isScheduled(CC_SCHEDULE_SELECTOR(HelloWorld::spawnEnemy)));
    EXPECT_TRUE(layer->isScheduled(CC_SCHEDULE_SELECTOR(HelloWorld::fireEnemyVolley)));
}

TEST_F(Playfield, ScoreTextIsThePrefixAndTheDecimalScore)
{
    enterRun();
    const std::string& first = layer->updateScoreText();
    EXPECT_EQ(first, "SCORE 0");
    EXPECT_EQ(&first, &layer->scoreText);
    layer->score = 100;
    EXPECT_EQ(layer->updateScoreText(), "SCORE 100");
    layer->score = 4294967295u;
    EXPECT_EQ(layer->updateScoreText(), "SCORE 4294967295");
}

TEST_F(Playfield, TheCloseButtonEndsTheDirector)
{
    enterRun();
    clickAt(960 - 5, 5);
    Director::getInstance()->mainLoop(kFrame);
    // The ended Director was purged: a fresh instance has no running scene.
    EXPECT_EQ(Director::getInstance()->getRunningScene(), nullptr);
}

TEST_F(Playfield, AVisibleOriginShiftsTheLayoutWhileGameplayKeepsAbsoluteCoordinates)
{
    startHeadless();
    Director::getInstance()->setOpenGLView(OffsetView::create());
    Scene* scene = HelloWorld::makeScene();
    ASSERT_NE(scene, nullptr);
    Director::getInstance()->runWithScene(scene);
    runFrames(1);
    layer = dynamic_cast<HelloWorld*>(scene->getChildren().at(0));
    ASSERT_NE(layer, nullptr);

    Node* player = layer->getChildByTag(TAG_PLAYER);
    EXPECT_EQ(player->getPosition(), Vec2(30 + 300, 20 + 300));
    Node* score = layer->getChildByTag(TAG_SCORE_LABEL);
    EXPECT_FLOAT_EQ(score->getPositionX(), 930 - score->getContentSize().width);
    EXPECT_FLOAT_EQ(score->getPositionY(), 620 - score->getContentSize().height);
    auto* menu = dynamic_cast<Menu*>(childWithoutTag(layer, [](Node* n) { return dynamic_cast<Menu*>(n); }));
    ASSERT_NE(menu, nullptr);
    Node* close = menu->getChildren().at(0);
    EXPECT_FLOAT_EQ(close->getPositionX() + close->getContentSize().width / 2, 930);
    EXPECT_FLOAT_EQ(close->getPositionY() - close->getContentSize().height / 2, 20);
    auto* title = dynamic_cast<Label*>(childWithoutTag(layer, [](Node* n) {
        auto* label = dynamic_cast<Label*>(n);
        return label && label->getString() == "Skyvane";
    }));
    ASSERT_NE(title, nullptr);
    EXPECT_FLOAT_EQ(title->getPositionX(), 480);
    EXPECT_FLOAT_EQ(title->getPositionY(), 620 - title->getContentSize().height);

    // Enemies enter, sprites retire and the player is lost against the visible size alone.
    layer->spawnEnemy(0);
    ASSERT_EQ(layer->enemies->size(), 1u);
    EXPECT_EQ(layer->enemies->front()->getPositionX(), 880);
    layer->enemies->front()->setPositionX(900);
    layer->retireSprite(layer->enemies->front());
    EXPECT_TRUE(layer->enemies->empty());
    player->setPositionY(600 - 16);
    EXPECT_TRUE(layer->isPlayerHit());
    player->setPositionY(600 - 16.5f);
    EXPECT_FALSE(layer->isPlayerHit());
}

TEST_F(Playfield, LaunchingWithAViewAlreadyPresentKeepsItAndStartsARun)
{
    {
        AppDelegate app; // the one Application, so the harness makes none
        startHeadless();
        Director* director = Director::getInstance();
        GLView* view = director->getOpenGLView();
        director->setAnimationInterval(1.0 / 30);
        ASSERT_TRUE(app.applicationDidFinishLaunching());
        EXPECT_EQ(director->getOpenGLView(), view);
        EXPECT_TRUE(director->isDisplayStats());
        EXPECT_EQ(director->getAnimationInterval(), 1.0 / 60);
        runFrames(1);
        Scene* scene = director->getRunningScene();
        ASSERT_NE(scene, nullptr);
        ASSERT_GT(scene->getChildrenCount(), 0);
        EXPECT_NE(dynamic_cast<HelloWorld*>(scene->getChildren().at(0)), nullptr);
        shutDownDirector();
    }
}

} // namespace
