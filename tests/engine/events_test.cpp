// Mouse and touch delivery: scene-graph priority, sleeping listeners, no scene, removal
// during dispatch, and menu items that fire on release over the item.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineFixture.h"

USING_NS_CC;
using namespace testing_support;

namespace {

using Journal = std::vector<std::string>;

// A mouse listener that notes its name on every press and stops the event if told to.
EventListenerMouse* hearPresses(Journal& heard, const std::string& name, const std::string* stopAt = nullptr)
{
    auto* listener = EventListenerMouse::create();
    listener->onMouseDown = [&heard, name, stopAt](EventMouse* event) {
        heard.push_back(name);
        if (stopAt && *stopAt == name)
        {
            event->stopPropagation();
        }
    };
    return listener;
}

EventDispatcher* dispatcher()
{
    return Director::getInstance()->getEventDispatcher();
}

void press()
{
    sendMouse(EventMouse::MouseEventType::MOUSE_DOWN, 100, 100, EventMouse::MouseButton::BUTTON_LEFT);
}

Node* addNode(Node* parent, int z)
{
    Node* node = Node::create();
    parent->addChild(node, z);
    return node;
}

class Events : public RunningSceneTest
{
protected:
    EventListenerMouse* listenOn(Node* node, const std::string& name)
    {
        EventListenerMouse* listener = hearPresses(heard, name, &stopAt);
        dispatcher()->addEventListenerWithSceneGraphPriority(listener, node);
        return listener;
    }

    Journal heard;
    std::string stopAt;
};

using EventsWithoutScene = EngineTest;

TEST_F(Events, TopMostNodeHearsFirstAndCanStopTheRest)
{
    Node* low = addNode(scene, -1);
    Node* mid = addNode(scene, 0);
    Node* high = addNode(scene, 1);
    Node* later = addNode(scene, 1); // same z, arrived later: drawn over high
    listenOn(low, "low");
    listenOn(mid, "mid");
    listenOn(addNode(mid, 2), "mid's child");
    listenOn(high, "high");
    listenOn(later, "later");
    dispatcher()->addEventListenerWithFixedPriority(hearPresses(heard, "fixed -1"), -1);
    dispatcher()->addEventListenerWithFixedPriority(hearPresses(heard, "fixed 1"), 1);

    press();
    EXPECT_EQ(heard, (Journal{"fixed -1", "later", "high", "mid's child", "mid", "low", "fixed 1"}));

    heard.clear();
    stopAt = "mid's child";
    press();
    EXPECT_EQ(heard, (Journal{"fixed -1", "later", "high", "mid's child"}));

    heard.clear();
    stopAt = "low";
    scene->reorderChild(low, 5); // now on top of everything
    press();
    EXPECT_EQ(heard, (Journal{"fixed -1", "low"}));
}

TEST_F(Events, ClonedListenersCarryTheOriginalsCallbacksAndSwallowing)
{
    EventListenerMouse* original = hearPresses(heard, "original");
    EventListenerMouse* copy = original->clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, original);
    dispatcher()->addEventListenerWithFixedPriority(copy, 1);
    press();
    EXPECT_EQ(heard, (Journal{"original"}));

    auto* touches = EventListenerTouchOneByOne::create();
    touches->setSwallowTouches(true);
    int claimed = 0;
    touches->onTouchBegan = [&claimed](Touch*, Event*) { return ++claimed > 0; };
    EventListenerTouchOneByOne* touchCopy = touches->clone();
    ASSERT_NE(touchCopy, nullptr);
    EXPECT_TRUE(touchCopy->isSwallowTouches());
    EXPECT_TRUE(touchCopy->checkAvailable());
    EXPECT_TRUE(touchCopy->onTouchBegan(nullptr, nullptr));
    EXPECT_EQ(claimed, 1);
    EXPECT_FALSE(touchCopy->onTouchMoved);
}

// The view is 640 high: GL y is 640 minus window y.
TEST_F(Events, TouchesAndMouseEventsReportWhereThePointerWasAndStartedInGLCoordinates)
{
    Touch touch;
    touch.setTouchInfo(3, 100, 100);
    EXPECT_EQ(touch.getID(), 3);
    EXPECT_EQ(touch.getLocation(), Vec2(100, 540));
    EXPECT_EQ(touch.getPreviousLocation(), Vec2(100, 540)) << "a new touch has not moved";
    EXPECT_EQ(touch.getDelta(), Vec2::ZERO);
    touch.setTouchInfo(3, 110, 90);
    touch.setTouchInfo(3, 130, 80);
    EXPECT_EQ(touch.getLocationInView(), Vec2(130, 80));
    EXPECT_EQ(touch.getPreviousLocationInView(), Vec2(110, 90));
    EXPECT_EQ(touch.getStartLocationInView(), Vec2(100, 100));
    EXPECT_EQ(touch.getStartLocation(), Vec2(100, 540));
    EXPECT_EQ(touch.getDelta(), Vec2(20, 10));

    EventMouse mouse(EventMouse::MouseEventType::MOUSE_MOVE);
    mouse.setCursorPosition(100, 100);
    EXPECT_EQ(mouse.getPreviousLocationInView(), Vec2::ZERO) << "3.17 keeps no previous point for a new event";
    mouse.setCursorPosition(130, 80);
    EXPECT_EQ(mouse.getLocationInView(), Vec2(130, 80));
    EXPECT_EQ(mouse.getLocation(), Vec2(130, 560));
    EXPECT_EQ(mouse.getPreviousLocation(), Vec2(100, 540));
    EXPECT_EQ(mouse.getStartLocation(), Vec2(100, 540));
    EXPECT_EQ(mouse.getDelta(), Vec2(30, 20));
}

TEST_F(Events, AHandlerSeesItsOwnNodeAsTheCurrentTarget)
{
    Node* below = addNode(scene, 0);
    Node* above = addNode(scene, 1);
    std::vector<Node*> targets;
    for (Node* node : {below, above})
    {
        auto* listener = EventListenerMouse::create();
        listener->onMouseDown = [&targets](EventMouse* event) { targets.push_back(event->getCurrentTarget()); };
        dispatcher()->addEventListenerWithSceneGraphPriority(listener, node);
    }
    press();
    EXPECT_EQ(targets, (std::vector<Node*>{above, below}));
}

TEST_F(Events, ListenerSleepsWhileItsNodeIsOutsideTheRunningScene)
{
    Node* node = Node::create();
    node->retain();
    listenOn(node, "node");
    press();
    EXPECT_TRUE(heard.empty());

    scene->addChild(node);
    press();
    node->removeFromParentAndCleanup(true); // cleanup keeps the listener, asleep again
    press();
    node->setVisible(false); // hidden nodes still hear
    scene->addChild(node);
    press();
    EXPECT_EQ(heard, (Journal{"node", "node"}));
    node->release();
}

TEST_F(EventsWithoutScene, NothingArrivesBeforeAViewAndNoNodeHearsWithoutARunningScene)
{
    Journal heard;
    dispatcher()->addEventListenerWithFixedPriority(hearPresses(heard, "fixed"), 1);
    EventMouse early(EventMouse::MouseEventType::MOUSE_DOWN);
    dispatcher()->dispatchEvent(&early);
    EXPECT_TRUE(heard.empty());

    startHeadless();
    Scene* detached = Scene::create();
    Node* node = addNode(detached, 0);
    dispatcher()->addEventListenerWithSceneGraphPriority(hearPresses(heard, "node"), node);
    detached->onEnter(); // running, yet not the Director's scene
    press();
    detached->onExit();
    EXPECT_EQ(heard, Journal{"fixed"});
}

TEST_F(Events, ListenersAndNodesRemovedDuringDispatchAreSkippedSafely)
{
    Node* bottom = addNode(scene, 0);
    Node* middle = addNode(scene, 1);
    Node* top = addNode(scene, 2);
    listenOn(bottom, "bottom");
    EventListenerMouse* middleListener = listenOn(middle, "middle");
    EventListenerMouse* topListener = listenOn(top, "top");
    topListener->onMouseDown = [&](EventMouse*) {
        heard.push_back("top");
        dispatcher()->removeEventListener(topListener);
        dispatcher()->removeEventListener(middleListener);
        bottom->removeFromParent(); // destroys the node and, with it, its listener
        dispatcher()->addEventListenerWithFixedPriority(hearPresses(heard, "added"), 1);
    };
    runFrames(1); // the pool lets go, so only the scene holds bottom
    press();
    EXPECT_EQ(heard, Journal{"top"}); // what joins mid-dispatch waits for the next event
    press();
    EXPECT_EQ(heard, (Journal{"top", "added"}));
}

// An item of 100 x 40 in a menu at the window's centre: x 430..530, y 300..340 from the bottom.
class MenuClicks : public RunningSceneTest
{
protected:
    using Phase = void (GLView::*)(int, intptr_t[], float[], float[]);

    void SetUp() override
    {
        RunningSceneTest::SetUp();
        item = MenuItem::create([this](Ref* sender) {
            heard.push_back(sender == item ? "item" : "someone else");
            if (onActivate)
            {
                onActivate();
            }
        });
        item->setContentSize(Size(100, 40));
        menu = Menu::createWithItem(item); // the same as create(item, nullptr)
        scene->addChild(menu);
        runFrames(1); // from here on the scene alone holds the menu
    }

    static void touch(Phase phase, float x, float heightAboveBottom)
    {
        GLView* view = Director::getInstance()->getOpenGLView();
        intptr_t id = 0;
        float xs[] = {x};
        float ys[] = {view->getFrameSize().height - heightAboveBottom};
        (view->*phase)(1, &id, xs, ys);
    }

    Journal heard;
    MenuItem* item = nullptr;
    Menu* menu = nullptr;
    std::function<void()> onActivate;
};

TEST_F(MenuClicks, ClickFiresTheItemOnReleaseWithinItsEdges)
{
    auto* mouse = EventListenerMouse::create();
    mouse->onMouseDown = [this](EventMouse*) { heard.push_back("mouse down"); };
    mouse->onMouseUp = [this](EventMouse*) { heard.push_back("mouse up"); };
    dispatcher()->addEventListenerWithSceneGraphPriority(mouse, scene);

    clickAt(480, 320);
    EXPECT_EQ(heard, (Journal{"mouse down", "item", "mouse up"}));

    heard.clear();
    clickAt(530, 340); // the top-right corner is part of the item
    clickAt(430, 300);
    clickAt(531, 320);
    clickAt(480, 299);
    EXPECT_EQ(heard, (Journal{"mouse down", "item", "mouse up", "mouse down", "item", "mouse up", "mouse down",
                              "mouse up", "mouse down", "mouse up"}));
}

TEST_F(MenuClicks, ReleaseAwayFromTheItemFiresNothing)
{
    touch(&GLView::handleTouchesBegin, 480, 320);
    EXPECT_TRUE(item->isSelected());
    touch(&GLView::handleTouchesMove, 700, 100);
    EXPECT_FALSE(item->isSelected());
    touch(&GLView::handleTouchesEnd, 700, 100);
    EXPECT_TRUE(heard.empty());

    touch(&GLView::handleTouchesBegin, 480, 320); // off and back on again still counts
    touch(&GLView::handleTouchesMove, 700, 100);
    touch(&GLView::handleTouchesMove, 500, 330);
    touch(&GLView::handleTouchesEnd, 500, 330);
    EXPECT_EQ(heard, Journal{"item"});

    item->setEnabled(false);
    clickAt(480, 320);
    EXPECT_EQ(heard, Journal{"item"});
}

TEST_F(MenuClicks, ItemMayRemoveItsOwnMenu)
{
    onActivate = [this] { menu->removeFromParent(); };
    clickAt(480, 320);
    clickAt(480, 320);
    EXPECT_EQ(heard, Journal{"item"});
    EXPECT_EQ(scene->getChildrenCount(), 0);
}

TEST_F(MenuClicks, ItemRemovedWhileHeldIsNeitherFiredNorTouched)
{
    touch(&GLView::handleTouchesBegin, 480, 320);
    ASSERT_TRUE(item->isSelected());
    item->removeFromParent(); // the menu held the last reference: the item is gone
    item = nullptr;
    touch(&GLView::handleTouchesEnd, 480, 320);
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(menu->getState(), Menu::State::WAITING);
}

TEST_F(MenuClicks, AlignedItemsStandFivePointsApartAboutTheMenuCentre)
{
    auto* wide = MenuItem::create([](Ref*) {});
    wide->setContentSize(Size(60, 20));
    menu->addChild(wide);
    menu->alignItemsVertically();
    EXPECT_EQ(item->getPosition(), Vec2(0, 12.5f)); // 40 + 5 + 20 high, centred on 0
    EXPECT_EQ(wide->getPosition(), Vec2(0, -22.5f));
    menu->alignItemsHorizontallyWithPadding(10);
    EXPECT_EQ(item->getPosition(), Vec2(-35, 0)); // 100 + 10 + 60 wide
    EXPECT_EQ(wide->getPosition(), Vec2(55, 0));
    clickAt(480 + 55, 320); // the click finds the item where it now stands
    clickAt(480 - 35, 320);
    EXPECT_EQ(heard, Journal{"item"});
}

} // namespace
