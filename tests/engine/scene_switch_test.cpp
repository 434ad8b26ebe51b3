// Scenes and the node tree: when replaceScene switches, what the old scene goes through,
// that nothing outlives many switches or the Director's end, draw order, tags and anchors.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "EngineFixture.h"
#include "base/CCDirectorInternals.h"

USING_NS_CC;
using namespace testing_support;

namespace {

using Journal = std::vector<std::string>;

// Notes its lifecycle, its per-frame updates and its drawing in a shared journal.
template <typename Base>
class Probe : public Base
{
public:
    static Probe* create(const std::string& name, Journal& journal)
    {
        auto* probe = new Probe(name, journal);
        probe->init();
        probe->autorelease();
        probe->scheduleUpdate(); // paused until it runs
        return probe;
    }
    ~Probe() override { note("destroyed"); }

    void onEnter() override
    {
        Base::onEnter();
        note("enter");
    }
    void onExit() override
    {
        Base::onExit();
        note("exit");
    }
    void cleanup() override
    {
        Base::cleanup();
        note("cleanup");
    }
    void update(float) override { note("update"); }
    void draw(Renderer*, const Mat4&, uint32_t) override { _journal.push_back(_name); }

private:
    Probe(std::string name, Journal& journal) : _name(std::move(name)), _journal(journal) {}
    void note(const char* what) { _journal.push_back(_name + " " + what); }

    std::string _name;
    Journal& _journal;
};

using ProbeScene = Probe<Scene>;
using ProbeNode = Probe<Node>;

class SceneSwitch : public EngineTest
{
protected:
    // A scene with something of everything that holds references: a sprite on the move,
    // a pending callback, a timer, a listener, a menu, and a node only an action keeps.
    static Scene* busyScene()
    {
        Scene* scene = Scene::create();
        Sprite* sprite = Sprite::create("Player.png");
        scene->addChild(sprite);
        sprite->runAction(MoveBy::create(5.0f, Vec2(100, 0)));
        sprite->runAction(Sequence::create(DelayTime::create(5.0f), CallFuncN::create([](Node*) {}), nullptr));
        sprite->schedule([](float) {}, 0.1f, "tick");
        auto* listener = EventListenerMouse::create();
        listener->onMouseDown = [](EventMouse*) {};
        scene->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, sprite);
        scene->addChild(Menu::create(MenuItem::create([](Ref*) {}), nullptr));
        Node* leftBehind = Node::create();
        scene->addChild(leftBehind);
        leftBehind->runAction(MoveBy::create(5.0f, Vec2(0, 100)));
        leftBehind->removeFromParentAndCleanup(false);
        return scene;
    }

    Journal journal;
};

using SceneGraph = SceneSwitch;

TEST_F(SceneSwitch, FramesAreCountedOnlyWhileAnimatingAndAZeroDeltaIsAskedForOnce)
{
    startHeadless();
    Director* director = Director::getInstance();
    director->runWithScene(ProbeScene::create("main", journal));
    EXPECT_TRUE(director->isValid());
    EXPECT_TRUE(director->getWinSizeInPixels().equals(director->getWinSize())) << "content scale 1";
    const unsigned int before = director->getTotalFrames();
    runFrames(3);
    EXPECT_EQ(director->getTotalFrames(), before + 3);

    director->setNextDeltaTimeZero(true);
    director->mainLoop(0.125f);
    EXPECT_EQ(director->getDeltaTime(), 0.0f);
    director->mainLoop(0.125f);
    EXPECT_EQ(director->getDeltaTime(), 0.125f);

    director->stopAnimation();
    EXPECT_FALSE(director->isValid());
    runFrames(2);
    EXPECT_EQ(director->getTotalFrames(), before + 5) << "a stopped Director draws no frame";
    director->startAnimation();
    EXPECT_TRUE(director->isValid());
    director->mainLoop(0.125f);
    EXPECT_EQ(director->getDeltaTime(), 0.0f) << "the time stopped is not one frame's";
}

TEST_F(SceneSwitch, RunWithSceneEntersOnTheFirstFrameWhichHasNoTime)
{
    startHeadless();
    Director* director = Director::getInstance();
    ProbeScene* scene = ProbeScene::create("main", journal);
    director->runWithScene(scene);
    EXPECT_EQ(director->getRunningScene(), nullptr);
    director->mainLoop(0.125f);
    EXPECT_EQ(director->getDeltaTime(), 0.0f);
    EXPECT_EQ(director->getRunningScene(), scene);
    director->mainLoop(0.125f);
    EXPECT_EQ(director->getDeltaTime(), 0.125f);

    director->runWithScene(ProbeScene::create("intruder", journal)); // one is running: ignored
    runFrames(1);
    EXPECT_EQ(director->getRunningScene(), scene);
    EXPECT_EQ(journal, (Journal{"main enter", "main update", "main update", "intruder destroyed"}));
}

// A stall must not come back as a burst of missed timers, given or measured.
TEST_F(SceneSwitch, AFrameLongerThanAFifthOfASecondCountsAsASixtiethGivenOrMeasured)
{
    startHeadless();
    Director* director = Director::getInstance();
    director->runWithScene(ProbeScene::create("main", journal));
    director->mainLoop(0.2f);
    director->mainLoop(0.2f);
    EXPECT_EQ(director->getDeltaTime(), 0.2f);
    director->mainLoop(10.0f);
    EXPECT_EQ(director->getDeltaTime(), 1.0f / 60.0f);

    director->mainLoop();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    director->mainLoop();
    EXPECT_EQ(director->getDeltaTime(), 1.0f / 60.0f);
}

TEST_F(SceneSwitch, ReplaceSceneSwitchesAfterTheFramesUpdate)
{
    startHeadless();
    Director* director = Director::getInstance();
    ProbeScene* first = ProbeScene::create("first", journal);
    director->runWithScene(first);
    runFrames(2);
    journal.clear();

    director->replaceScene(ProbeScene::create("second", journal));
    EXPECT_EQ(director->getRunningScene(), first);
    runFrames(1);
    EXPECT_EQ(journal, (Journal{"first update", "first exit", "first cleanup", "first destroyed", "second enter"}));
    ASSERT_NE(director->getRunningScene(), nullptr);

    journal.clear();
    runFrames(1); // the new scene's updates start with the next frame
    EXPECT_EQ(journal, Journal{"second update"});
}

TEST_F(SceneSwitch, SceneReplacedBeforeItRanIsDroppedWithoutEntering)
{
    startHeadless();
    Director* director = Director::getInstance();
    director->runWithScene(ProbeScene::create("first", journal));
    runFrames(1);
    journal.clear();

    director->replaceScene(ProbeScene::create("dropped", journal));
    director->replaceScene(ProbeScene::create("second", journal));
    runFrames(1);
    EXPECT_EQ(journal, (Journal{"dropped cleanup", "first update", "first exit", "first cleanup", "first destroyed",
                                "second enter", "dropped destroyed"}));
}

TEST_F(SceneSwitch, HundredReplacementsLeaveNothingAlive)
{
    const long beforeStart = liveObjectCount();
    startHeadless();
    long afterTen = 0;
    for (int cycle = 1; cycle <= 100; ++cycle)
    {
        Director::getInstance()->replaceScene(busyScene());
        runFrames(3);
        if (cycle == 10)
        {
            afterTen = liveObjectCount();
        }
    }
    EXPECT_EQ(liveObjectCount(), afterTen) << "each switch should free the scene before";
    shutDownDirector();
    EXPECT_EQ(liveObjectCount(), beforeStart);
}

TEST_F(SceneSwitch, EndPurgesOnTheNextMainLoop)
{
    const long beforeStart = liveObjectCount();
    startHeadless();
    Director* director = Director::getInstance();
    director->runWithScene(ProbeScene::create("only", journal));
    runFrames(1);
    // Made in the last frame: only the action manager would hold it once the pool drains.
    Node::create()->runAction(MoveBy::create(1.0f, Vec2(10, 0)));
    journal.clear();

    director->end();
    EXPECT_TRUE(journal.empty());
    EXPECT_NE(director->getRunningScene(), nullptr);
    director->mainLoop();
    EXPECT_EQ(journal, (Journal{"only exit", "only cleanup", "only destroyed"}));
    PoolManager::getInstance()->getCurrentPool()->clear();
    EXPECT_EQ(liveObjectCount(), beforeStart);

    Director* fresh = Director::getInstance();
    EXPECT_EQ(fresh->getRunningScene(), nullptr);
    EXPECT_EQ(fresh->getOpenGLView(), nullptr);
}

TEST_F(SceneGraph, ChildrenDrawByZThenArrivalAndHiddenBranchesAreSkipped)
{
    startHeadless();
    auto make = [this](const char* name) { return ProbeNode::create(name, journal); };
    Node* root = make("root");
    Node* a = make("a");
    Node* b = make("b");
    root->addChild(a, 1);
    root->addChild(b, -1);
    root->addChild(make("c"), 1);
    root->addChild(make("d"));
    root->addChild(make("e"), -1);
    a->addChild(make("under a"), -5);
    root->reorderChild(a, 1); // same z, new arrival: now drawn after c
    b->setLocalZOrder(-1);    // its z already: it stays before e
    Node* hidden = make("hidden");
    hidden->addChild(make("inside hidden"));
    hidden->setVisible(false);
    root->addChild(hidden, 9);

    root->visit(DirectorInternals::getRenderer(*Director::getInstance()), Mat4::IDENTITY, 0);
    EXPECT_EQ(journal, (Journal{"b", "e", "root", "d", "c", "under a", "a"}));
}

TEST_F(SceneGraph, AddChildKeepsTheTagUnlessGivenOne)
{
    startHeadless();
    Node* parent = Node::create();
    auto tagged = [](int tag) {
        Node* node = Node::create();
        node->setTag(tag);
        return node;
    };
    Node* kept = tagged(5);
    Node* keptWithZ = tagged(6);
    Node* retagged = tagged(7);
    Node* sameTagLater = Node::create();
    parent->addChild(kept);
    parent->addChild(keptWithZ, 3);
    parent->addChild(retagged, 0, 8);
    parent->addChild(sameTagLater, -1, 5);
    kept->addChild(Node::create(), 0, 9);

    EXPECT_EQ(kept->getTag(), 5);
    EXPECT_EQ(keptWithZ->getTag(), 6);
    EXPECT_EQ(retagged->getTag(), 8);
    EXPECT_EQ(parent->getChildByTag(5), kept); // the first of two
    EXPECT_EQ(parent->getChildByTag<Node*>(6), keptWithZ);
    EXPECT_EQ(parent->getChildByTag(7), nullptr);
    EXPECT_EQ(parent->getChildByTag(9), nullptr); // children only, no grandchildren
    parent->removeChildByTag(5);
    EXPECT_EQ(parent->getChildByTag(5), sameTagLater);
}

TEST_F(SceneGraph, SpritesAndLabelsAreCentredWhileScenesAndLayersIgnoreTheAnchor)
{
    startHeadless();
    Sprite* sprite = Sprite::create("Player.png");
    ASSERT_NE(sprite, nullptr);
    sprite->setPosition(100, 200);
    const Rect spriteBox = sprite->getBoundingBox();
    EXPECT_GT(spriteBox.size.width, 0);
    EXPECT_FLOAT_EQ(spriteBox.getMidX(), 100);
    EXPECT_FLOAT_EQ(spriteBox.getMidY(), 200);
    EXPECT_EQ(Label::create()->getAnchorPoint(), Vec2::ANCHOR_MIDDLE);

    const Size window = Director::getInstance()->getWinSize();
    for (Node* whole : {static_cast<Node*>(Scene::create()), static_cast<Node*>(Layer::create())})
    {
        whole->setPosition(10, 20);
        EXPECT_TRUE(whole->getContentSize().equals(window));
        EXPECT_TRUE(whole->getBoundingBox().equals(Rect(Vec2(10, 20), window)));
    }
    Node* plain = Node::create();
    plain->setContentSize(Size(30, 40));
    plain->setPosition(10, 20);
    EXPECT_TRUE(plain->getBoundingBox().equals(Rect(10, 20, 30, 40))); // anchor (0,0)
}

TEST_F(SceneGraph, ScenesOfAGivenSizeAndSpritesOfATextureOrPartOfOne)
{
    startHeadless();
    Scene* small = Scene::createWithSize(Size(300, 200));
    ASSERT_NE(small, nullptr);
    EXPECT_TRUE(small->getContentSize().equals(Size(300, 200)));

    Sprite* whole = Sprite::create("Player.png");
    ASSERT_NE(whole, nullptr);
    Sprite* copy = Sprite::createWithTexture(whole->getTexture());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getTexture(), whole->getTexture());
    EXPECT_TRUE(copy->getContentSize().equals(whole->getContentSize()));
    Sprite* part = Sprite::createWithTexture(whole->getTexture(), Rect(2, 3, 10, 12));
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(part->getContentSize().equals(Size(10, 12)));
    EXPECT_TRUE(part->getTextureRect().equals(Rect(2, 3, 10, 12)));

    EXPECT_EQ(part->getScene(), nullptr);
    Node* layer = Node::create();
    small->addChild(layer);
    layer->addChild(part);
    EXPECT_EQ(part->getScene(), small);
    EXPECT_EQ(small->getScene(), small);
}

TEST_F(SceneSwitch, PopSceneReturnsToTheSceneBelowAndPoppingTheLastEnds)
{
    startHeadless();
    Director* director = Director::getInstance();
    ProbeScene* game = ProbeScene::create("game", journal);
    director->runWithScene(game);
    runFrames(1);
    director->pushScene(ProbeScene::create("pause", journal));
    runFrames(1);
    EXPECT_EQ(journal, (Journal{"game enter", "game update", "game exit", "pause enter"})); // kept, not cleaned

    journal.clear();
    director->popScene();
    runFrames(2);
    EXPECT_EQ(director->getRunningScene(), game);
    EXPECT_EQ(journal,
              (Journal{"pause update", "pause exit", "pause cleanup", "pause destroyed", "game enter", "game update"}));

    journal.clear();
    director->popScene();
    runFrames(1);
    EXPECT_EQ(journal, (Journal{"game exit", "game cleanup", "game destroyed"}));
}

// Counts how often the engine tells it that its entrance has finished.
class Arrival : public Node
{
public:
    CREATE_FUNC(Arrival);
    void onEnterTransitionDidFinish() override
    {
        Node::onEnterTransitionDidFinish();
        ++finished;
    }
    int finished = 0;
};

// Adds a child while it enters, the way a layer builds itself in onEnter.
class BuildsOnEnter : public Node
{
public:
    CREATE_FUNC(BuildsOnEnter);
    void onEnter() override
    {
        Node::onEnter();
        child = Arrival::create();
        addChild(child);
    }
    Arrival* child = nullptr;
};

TEST_F(SceneGraph, ChildAddedWhileItsParentEntersFinishesEnteringOnce)
{
    startHeadless();
    Scene* scene = Scene::create();
    Director::getInstance()->runWithScene(scene);
    runFrames(1);
    auto* builder = BuildsOnEnter::create();
    scene->addChild(builder);
    EXPECT_EQ(builder->child->finished, 1);
    auto* late = Arrival::create();
    builder->addChild(late); // the parent has finished entering: told at once
    EXPECT_EQ(late->finished, 1);
}

TEST_F(SceneGraph, SettingTheSameLocalZOrderKeepsTheOrderOfArrival)
{
    startHeadless();
    Node* parent = Node::create();
    Node* first = Node::create();
    Node* second = Node::create();
    parent->addChild(first, 2);
    parent->addChild(second, 2);
    first->setLocalZOrder(2);
    parent->sortAllChildren();
    EXPECT_EQ(parent->getChildren().at(0), first);
    first->setLocalZOrder(3);
    first->setLocalZOrder(2); // a real change does move it last among equals
    parent->sortAllChildren();
    EXPECT_EQ(parent->getChildren().at(0), second);
}

TEST_F(SceneGraph, ANodeStartsUnrotatedOpaqueAndWhiteAndTurnsClockwise)
{
    startHeadless();
    Node* node = Node::create();
    EXPECT_EQ(node->getRotation(), 0.0f);
    EXPECT_EQ(node->getOpacity(), 255);
    EXPECT_EQ(node->getColor(), Color3B::WHITE);

    node->setOpacity(128);
    node->setColor(Color3B(10, 20, 30));
    EXPECT_EQ(node->getOpacity(), 128);
    EXPECT_EQ(node->getColor(), Color3B(10, 20, 30));

    node->setContentSize(Size(100, 50));
    node->setRotation(90);
    EXPECT_EQ(node->getRotation(), 90.0f);
    // A positive angle turns clockwise: the box that ran right now runs down.
    const Rect box = node->getBoundingBox();
    EXPECT_NEAR(box.getMinX(), 0, 1e-3f);
    EXPECT_NEAR(box.getMaxX(), 50, 1e-3f);
    EXPECT_NEAR(box.getMinY(), -100, 1e-3f);
    EXPECT_NEAR(box.getMaxY(), 0, 1e-3f);
}

void expectSize(const Size& size, float width, float height)
{
    EXPECT_EQ(size.width, width);
    EXPECT_EQ(size.height, height);
}

// The view's design resolution, on a 970x640 frame so that FIXED_HEIGHT and FIXED_WIDTH
// have a fraction to round up: each policy's scale, centred viewport, visible part and the
// Director's window size.
class DesignResolution : public EngineTest
{
protected:
    void SetUp() override
    {
        startHeadless(970, 640);
        director = Director::getInstance();
        view = director->getOpenGLView();
    }

    void expectViewport(float x, float y, float width, float height) const
    {
        const Rect& viewport = view->getViewPortRect();
        EXPECT_NEAR(viewport.origin.x, x, 1e-3f);
        EXPECT_NEAR(viewport.origin.y, y, 1e-3f);
        EXPECT_NEAR(viewport.size.width, width, 1e-3f);
        EXPECT_NEAR(viewport.size.height, height, 1e-3f);
    }

    void expectScale(float x, float y) const
    {
        EXPECT_FLOAT_EQ(view->getScaleX(), x);
        EXPECT_FLOAT_EQ(view->getScaleY(), y);
    }

    Director* director = nullptr;
    GLView* view = nullptr;
};

TEST_F(DesignResolution, WithoutOneTheFrameIsTheDesignAtScaleOneAndNoViewport)
{
    expectSize(view->getDesignResolutionSize(), 970, 640);
    expectScale(1, 1);
    EXPECT_TRUE(view->getViewPortRect().equals(Rect::ZERO));
    expectSize(view->getVisibleSize(), 970, 640);
    EXPECT_EQ(view->getVisibleOrigin(), Vec2::ZERO);
    expectSize(director->getWinSize(), 970, 640);
}

TEST_F(DesignResolution, ExactFitStretchesEachAxisOnItsOwn)
{
    view->setDesignResolutionSize(485, 400, ResolutionPolicy::EXACT_FIT);
    expectScale(2, 1.6f);
    expectViewport(0, 0, 970, 640);
    expectSize(view->getVisibleSize(), 485, 400);
    EXPECT_EQ(view->getVisibleOrigin(), Vec2::ZERO);
    expectSize(director->getWinSize(), 485, 400);
}

TEST_F(DesignResolution, ShowAllFitsTheWholeDesignInACentredViewport)
{
    view->setDesignResolutionSize(400, 400, ResolutionPolicy::SHOW_ALL);
    expectScale(1.6f, 1.6f);
    expectViewport(165, 0, 640, 640);
    expectSize(view->getVisibleSize(), 400, 400);
    expectSize(director->getVisibleSize(), 400, 400);
    EXPECT_EQ(view->getVisibleOrigin(), Vec2::ZERO);
    expectSize(director->getWinSize(), 400, 400);
}

TEST_F(DesignResolution, NoBorderFillsTheFrameAndShowsOnlyTheMiddleOfTheDesign)
{
    view->setDesignResolutionSize(400, 400, ResolutionPolicy::NO_BORDER);
    expectScale(2.425f, 2.425f);
    expectViewport(0, -165, 970, 970);
    const float visibleHeight = 640 / 2.425f;
    EXPECT_NEAR(view->getVisibleSize().width, 400, 1e-3f);
    EXPECT_NEAR(view->getVisibleSize().height, visibleHeight, 1e-3f);
    EXPECT_TRUE(director->getVisibleSize().equals(view->getVisibleSize()));
    EXPECT_NEAR(view->getVisibleOrigin().x, 0, 1e-3f);
    EXPECT_NEAR(view->getVisibleOrigin().y, (400 - visibleHeight) / 2, 1e-3f);
    EXPECT_EQ(director->getVisibleOrigin(), view->getVisibleOrigin());
    expectSize(director->getWinSize(), 400, 400); // the window keeps the whole design
}

TEST_F(DesignResolution, FixedHeightWidensTheDesignToTheFrameRoundingUp)
{
    view->setDesignResolutionSize(400, 400, ResolutionPolicy::FIXED_HEIGHT);
    expectScale(1.6f, 1.6f);
    expectSize(view->getDesignResolutionSize(), 607, 400); // 970 / 1.6 = 606.25
    expectViewport(-0.6f, 0, 971.2f, 640);
    expectSize(view->getVisibleSize(), 607, 400);
    expectSize(director->getWinSize(), 607, 400);
}

TEST_F(DesignResolution, FixedWidthHeightensTheDesignToTheFrameRoundingUp)
{
    view->setDesignResolutionSize(400, 400, ResolutionPolicy::FIXED_WIDTH);
    expectScale(2.425f, 2.425f);
    expectSize(view->getDesignResolutionSize(), 400, 264); // 640 / 2.425 = 263.9
    expectViewport(0, -0.1f, 970, 640.2f);
    expectSize(view->getVisibleSize(), 400, 264);
    expectSize(director->getWinSize(), 400, 264);
}

TEST_F(DesignResolution, ASizeOfZeroIsIgnored)
{
    view->setDesignResolutionSize(400, 400, ResolutionPolicy::SHOW_ALL);
    view->setDesignResolutionSize(0, 300, ResolutionPolicy::EXACT_FIT);
    view->setDesignResolutionSize(300, 0, ResolutionPolicy::EXACT_FIT);
    expectSize(view->getDesignResolutionSize(), 400, 400);
    expectScale(1.6f, 1.6f);
    expectViewport(165, 0, 640, 640);
    expectSize(director->getWinSize(), 400, 400);
}

TEST_F(DesignResolution, DirectorConvertsBetweenUIAndGLCoordinatesOfTheDesign)
{
    view->setDesignResolutionSize(400, 400, ResolutionPolicy::SHOW_ALL);
    EXPECT_EQ(director->convertToUI(Vec2(30, 100)), Vec2(30, 300));
    EXPECT_EQ(director->convertToGL(Vec2(30, 300)), Vec2(30, 100));
}

} // namespace
