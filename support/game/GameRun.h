#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "Frames.h"
#include "HelloWorld.h"

namespace cocos2d {
// Readable positions in failure messages.
inline void PrintTo(const Vec2& point, std::ostream* out)
{
    *out << "(" << point.x << ", " << point.y << ")";
}
} // namespace cocos2d

namespace game_testing {

// How far an interval action has come after `steps` frames of kFrame: its first step only starts the clock.
inline float progressAfter(int steps, float duration)
{
    const float elapsed = 1e-6f + static_cast<float>(steps - 1) * testing_support::kFrame;
    return std::min(1.0f, elapsed / duration);
}

// One run of the game on a headless view, with helpers to set the playfield up by hand.
class GameRun : public ::testing::Test
{
protected:
    void TearDown() override { testing_support::shutDownDirector(); }

    // The scene has entered; no tick has run yet.
    HelloWorld* enterRun(float width = 960, float height = 640)
    {
        testing_support::startHeadless(width, height);
        cocos2d::Scene* scene = HelloWorld::makeScene();
        EXPECT_NE(scene, nullptr);
        cocos2d::Director::getInstance()->runWithScene(scene);
        testing_support::runFrames(1);
        layer = dynamic_cast<HelloWorld*>(scene->getChildren().at(0));
        return layer;
    }

    // Past the first tick, with the spawn timer stopped so nothing arrives unasked.
    HelloWorld* startRun(float width = 960, float height = 640)
    {
        enterRun(width, height);
        testing_support::runFrames(2);
        layer->unschedule(CC_SCHEDULE_SELECTOR(HelloWorld::spawnEnemy));
        return layer;
    }

    // A sprite of the kind the tag names, on the layer and in its registry (if the tag has one).
    cocos2d::Sprite* place(int tag, float x, float y)
    {
        auto* sprite = cocos2d::Sprite::create(imageFor(tag));
        sprite->setPosition(x, y);
        sprite->setTag(tag);
        if (SpriteRegistry* registry = registryFor(tag))
        {
            registry->push_back(sprite);
        }
        layer->addChild(sprite);
        return sprite;
    }

    SpriteRegistry* registryFor(int tag) const
    {
        switch (tag)
        {
        case TAG_PLAYER_SHOT:
        case TAG_ENEMY_SHOT: return layer->shots.get();
        case TAG_BIRD:
        case TAG_BOMBER:
        case TAG_FIGHTER: return layer->enemies.get();
        default: return nullptr;
        }
    }

    // Takes every registered sprite off the layer, for the next case on an empty field.
    void clearField()
    {
        for (SpriteRegistry* registry : {layer->enemies.get(), layer->shots.get()})
        {
            for (cocos2d::Sprite* sprite : *registry)
            {
                layer->removeChild(sprite, true);
            }
            registry->clear();
        }
    }

    cocos2d::Sprite* player() const { return static_cast<cocos2d::Sprite*>(layer->getChildByTag(TAG_PLAYER)); }

    bool onLayer(cocos2d::Node* node) const { return layer->getChildren().contains(node); }

    static bool listed(const SpriteRegistry& registry, const cocos2d::Sprite* sprite)
    {
        return std::find(registry.begin(), registry.end(), sprite) != registry.end();
    }

    static const char* imageFor(int tag)
    {
        switch (tag)
        {
        case TAG_BIRD: return "Bird.png";
        case TAG_BOMBER: return "Bomber.png";
        case TAG_FIGHTER: return "Fighter.png";
        case TAG_PLAYER_SHOT:
        case TAG_ENEMY_SHOT: return "Projectile.png";
        default: return "Player.png";
        }
    }

    HelloWorld* layer = nullptr;
};

// Keeps a sprite readable after the layer lets go of it.
class Held
{
public:
    explicit Held(cocos2d::Sprite* sprite) : _sprite(sprite) { _sprite->retain(); }
    ~Held() { _sprite->release(); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    cocos2d::Sprite* operator->() const { return _sprite; }
    cocos2d::Sprite* get() const { return _sprite; }

private:
    cocos2d::Sprite* _sprite;
};

} // namespace game_testing
