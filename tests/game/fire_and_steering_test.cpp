#include "GameRun.h"

USING_NS_CC;
using namespace game_testing;
using testing_support::runFrames;
using testing_support::sendMouse;
using MouseType = EventMouse::MouseEventType;
using Button = EventMouse::MouseButton;

namespace {

// 0.15 s is nine frames; counts are read between multiples so float rounding cannot move them.
class FireAndSteering : public GameRun
{
protected:
    int playerShotsOnLayer() const
    {
        int count = 0;
        for (Node* child : layer->getChildren())
        {
            count += child->getTag() == TAG_PLAYER_SHOT ? 1 : 0;
        }
        return count;
    }

    static void press(Button button) { sendMouse(MouseType::MOUSE_DOWN, 400, 320, button); }
    static void release(Button button) { sendMouse(MouseType::MOUSE_UP, 400, 320, button); }
    static void pointAt(float x, float heightAboveBottom) { sendMouse(MouseType::MOUSE_MOVE, x, heightAboveBottom); }

    bool firing() const { return layer->isScheduled(CC_SCHEDULE_SELECTOR(HelloWorld::firePlayerShot)); }
};

TEST_F(FireAndSteering, TheHeldLeftButtonFiresOncePerIntervalUntilReleased)
{
    startRun();
    press(Button::BUTTON_LEFT);
    runFrames(1); // a new timer lets its first frame pass
    runFrames(5);
    EXPECT_EQ(layer->shots->size(), 0u);
    runFrames(8);
    EXPECT_EQ(layer->shots->size(), 1u);
    runFrames(18);
    EXPECT_EQ(layer->shots->size(), 3u);
    runFrames(9);
    EXPECT_EQ(layer->shots->size(), 4u);
    EXPECT_EQ(playerShotsOnLayer(), 4);

    release(Button::BUTTON_LEFT);
    EXPECT_FALSE(firing());
    runFrames(60);
    EXPECT_TRUE(layer->shots->empty());
    EXPECT_EQ(playerShotsOnLayer(), 0);
}

TEST_F(FireAndSteering, OtherButtonsNeitherStartNorStopFire)
{
    startRun();
    press(Button::BUTTON_RIGHT);
    press(Button::BUTTON_MIDDLE);
    EXPECT_FALSE(firing());
    runFrames(20);
    EXPECT_TRUE(layer->shots->empty());

    press(Button::BUTTON_LEFT);
    release(Button::BUTTON_RIGHT);
    release(Button::BUTTON_MIDDLE);
    EXPECT_TRUE(firing());
    runFrames(14);
    EXPECT_EQ(layer->shots->size(), 1u);
}

TEST_F(FireAndSteering, ASecondPressKeepsOneScheduleThatOneReleaseEnds)
{
    startRun();
    press(Button::BUTTON_LEFT);
    press(Button::BUTTON_LEFT);
    runFrames(14);
    EXPECT_EQ(layer->shots->size(), 1u);
    release(Button::BUTTON_LEFT);
    EXPECT_FALSE(firing());
    runFrames(20);
    EXPECT_EQ(layer->shots->size(), 1u);
}

TEST_F(FireAndSteering, AShotFliesFromTheMuzzleBeyondTheRightEdgeAtOneWidthPerSecondThenLeaves)
{
    startRun();
    player()->setPosition(200, 150);
    layer->firePlayerShot(layer->fireInterval);
    ASSERT_EQ(layer->shots->size(), 1u);
    Held shot(layer->shots->front());
    EXPECT_EQ(shot->getTag(), TAG_PLAYER_SHOT);
    EXPECT_EQ(shot->getPosition(), Vec2(225, 150));

    // From x 225 to 960 + half the shot's 10 units: 740 units in 740/960 s.
    const float duration = 740.0f / 960;
    runFrames(10);
    EXPECT_NEAR(shot->getPositionX(), 225 + 740 * progressAfter(10, duration), 1e-2);
    runFrames(20);
    EXPECT_NEAR(shot->getPositionX(), 225 + 740 * progressAfter(30, duration), 1e-2);
    EXPECT_EQ(shot->getPositionY(), 150);
    EXPECT_TRUE(onLayer(shot.get()));

    runFrames(20);
    EXPECT_EQ(shot->getPosition(), Vec2(965, 150));
    EXPECT_TRUE(layer->shots->empty());
    EXPECT_EQ(shot->getParent(), nullptr);
}

TEST_F(FireAndSteering, SteeringMovesToThePointerHeightInAQuarterSecondAndDropsMovementMeanwhile)
{
    startRun();
    const float x = player()->getPositionX();
    pointAt(700, 400);
    ASSERT_NE(player()->getActionByTag(TAG_STEER_ACTION), nullptr);
    runFrames(6);
    EXPECT_NEAR(player()->getPositionY(), 320 + 80 * progressAfter(6, 0.25f), 1e-3);

    pointAt(50, 100);
    pointAt(900, 600);
    runFrames(6);
    EXPECT_NEAR(player()->getPositionY(), 320 + 80 * progressAfter(12, 0.25f), 1e-3);
    runFrames(8);
    EXPECT_EQ(player()->getPosition(), Vec2(x, 400));
    EXPECT_EQ(player()->getActionByTag(TAG_STEER_ACTION), nullptr);

    // Once the move is over the next movement is taken.
    pointAt(10, 100);
    runFrames(20);
    EXPECT_EQ(player()->getPosition(), Vec2(x, 100));
}

} // namespace
