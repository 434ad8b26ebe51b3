#include <ctime>

#include "HelloWorld.h"

USING_NS_CC;

namespace {
const char* const kFontFile = "fonts/Marker Felt.ttf";
const float kFontSize = 24.0f;

// Every picture a run may need: a missing one is found at start, not at its first spawn.
const char* const kRequiredImages[] = {"CloseNormal.png", "CloseSelected.png", "Player.png", "Projectile.png",
                                       "Bird.png",        "Bomber.png",        "Fighter.png"};
}

Scene* HelloWorld::makeScene()
{
    HelloWorld* layer = HelloWorld::create();
    if (!layer)
    {
        return nullptr;
    }
    Scene* scene = Scene::create();
    scene->addChild(layer);
    return scene;
}

HelloWorld::~HelloWorld()
{
    // The registries never owned their sprites: the layer's children go with the base.
    if (enemies)
    {
        enemies->clear();
        enemies.reset();
    }
    if (shots)
    {
        shots->clear();
        shots.reset();
    }
}

bool HelloWorld::loadRequiredResources() const
{
    // The texture cache keeps what loads here, so later sprites never touch the disk.
    for (const char* image : kRequiredImages)
    {
        if (!Director::getInstance()->getTextureCache()->addImage(image))
        {
            return false;
        }
    }
    return true;
}

bool HelloWorld::init()
{
    if (!Layer::init())
    {
        return false;
    }
    if (!loadRequiredResources())
    {
        return false;
    }

    Director* director = Director::getInstance();
    visibleSize = director->getVisibleSize();
    visibleOrigin = director->getVisibleOrigin();
    const float x0 = visibleOrigin.x;
    const float y0 = visibleOrigin.y;
    const float W = visibleSize.width;
    const float H = visibleSize.height;

    auto* closeItem = MenuItemImage::create("CloseNormal.png", "CloseSelected.png",
                                            CC_CALLBACK_1(HelloWorld::onCloseClicked, this));
    const Size closeSize = closeItem->getContentSize();
    closeItem->setPosition(Vec2((x0 + W) - closeSize.width / 2, closeSize.height / 2 + y0));

    auto* menu = Menu::create(closeItem, nullptr);
    menu->setPosition(Vec2::ZERO);
    addChild(menu, 1);

    auto* title = Label::createWithTTF("Skyvane", kFontFile, kFontSize, Size::ZERO, TextHAlignment::LEFT,
                                       TextVAlignment::TOP);
    if (!title)
    {
        return false;
    }
    title->setPosition(Vec2(x0 + W / 2, y0 + H - title->getContentSize().height));
    addChild(title, 1);

    srand(static_cast<unsigned int>(time(nullptr)));

    enemies = std::make_unique<SpriteRegistry>();
    shots = std::make_unique<SpriteRegistry>();

    auto* scoreLabel = Label::createWithTTF(updateScoreText(), kFontFile, kFontSize, Size::ZERO, TextHAlignment::LEFT,
                                            TextVAlignment::TOP);
    const Size scoreSize = scoreLabel->getContentSize();
    scoreLabel->setPosition(Vec2(x0 + W - scoreSize.width, y0 + H - scoreSize.height));
    scoreLabel->setTag(TAG_SCORE_LABEL);
    addChild(scoreLabel, 1);

    auto* mouseListener = EventListenerMouse::create();
    mouseListener->onMouseMove = CC_CALLBACK_1(HelloWorld::handleMouseMove, this);
    mouseListener->onMouseUp = CC_CALLBACK_1(HelloWorld::handleMouseUp, this);
    mouseListener->onMouseDown = CC_CALLBACK_1(HelloWorld::handleMouseDown, this);
    getEventDispatcher()->addEventListenerWithSceneGraphPriority(mouseListener, this);

    auto* player = Sprite::create("Player.png");
    player->setPosition(Vec2(x0 + W / 3, y0 + H / 2));
    player->setTag(TAG_PLAYER);
    addChild(player, 0);

    schedule(CC_SCHEDULE_SELECTOR(HelloWorld::tick));
    schedule(CC_SCHEDULE_SELECTOR(HelloWorld::spawnEnemy), spawnInterval);
    schedule(CC_SCHEDULE_SELECTOR(HelloWorld::fireEnemyVolley), fireInterval);
    return true;
}

void HelloWorld::onCloseClicked(Ref*)
{
    Director::getInstance()->end();
}

Sprite* HelloWorld::findPlayer() const
{
    return static_cast<Sprite*>(getChildByTag(TAG_PLAYER));
}
