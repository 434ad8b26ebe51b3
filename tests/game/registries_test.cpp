#include "GameRun.h"

USING_NS_CC;
using namespace game_testing;

namespace {

const int kRegistryTags[] = {TAG_BIRD, TAG_BOMBER, TAG_FIGHTER, TAG_PLAYER_SHOT, TAG_ENEMY_SHOT};

class Registries : public GameRun
{
protected:
    SpriteRegistry& registryOf(int tag) { return *registryFor(tag); }
    SpriteRegistry& otherRegistryOf(int tag)
    {
        return registryFor(tag) == layer->shots.get() ? *layer->enemies : *layer->shots;
    }
};

TEST_F(Registries, ASpriteOnOrBeyondABoundIsRetiredWhateverItsHeight)
{
    startRun();
    const float W = layer->visibleSize.width;
    for (int tag : kRegistryTags)
    {
        for (float x : {0.0f, W, -5.0f, W + 5})
        {
            for (float y : {-100.0f, 300.0f, 5000.0f})
            {
                SCOPED_TRACE(testing::Message() << "tag " << tag << " at " << x << "," << y);
                Held sprite(place(tag, x, y));
                sprite->runAction(MoveBy::create(1, Vec2(0, 5)));
                layer->retireSprite(sprite.get());
                EXPECT_FALSE(listed(registryOf(tag), sprite.get()));
                EXPECT_EQ(sprite->getParent(), nullptr);
                EXPECT_EQ(sprite->getNumberOfRunningActions(), 0) << "taken off without cleanup";
            }
        }
    }
    EXPECT_TRUE(layer->enemies->empty());
    EXPECT_TRUE(layer->shots->empty());
}

TEST_F(Registries, ASpriteInsideTheBoundsStaysWhateverItsHeight)
{
    startRun();
    const float W = layer->visibleSize.width;
    for (int tag : kRegistryTags)
    {
        for (float x : {0.5f, W - 0.5f})
        {
            for (float y : {-100.0f, 5000.0f})
            {
                SCOPED_TRACE(testing::Message() << "tag " << tag << " at " << x << "," << y);
                Sprite* sprite = place(tag, x, y);
                layer->retireSprite(sprite);
                EXPECT_EQ(registryOf(tag).back(), sprite);
                EXPECT_TRUE(onLayer(sprite));
            }
        }
    }
    EXPECT_EQ(layer->enemies->size(), 12u);
    EXPECT_EQ(layer->shots->size(), 8u);
}

TEST_F(Registries, RetiringTheMiddleOfThreeKeepsTheOthersInOrderAndTheOtherRegistryUntouched)
{
    startRun();
    for (int tag : {TAG_FIGHTER, TAG_ENEMY_SHOT})
    {
        SCOPED_TRACE(testing::Message() << "tag " << tag);
        const int otherTag = tag == TAG_ENEMY_SHOT ? TAG_BOMBER : TAG_PLAYER_SHOT;
        Sprite* first = place(tag, 100, 100);
        Sprite* middle = place(tag, 200, 100);
        Sprite* last = place(tag, 300, 100);
        Sprite* otherA = place(otherTag, 0, 200);
        Sprite* otherB = place(otherTag, 0, 300);

        middle->setPositionX(0);
        layer->retireSprite(middle);
        EXPECT_EQ(registryOf(tag), (SpriteRegistry{first, last}));
        // Sprites of the other registry sit on a bound too: only the retired one may go.
        EXPECT_EQ(otherRegistryOf(tag), (SpriteRegistry{otherA, otherB}));
        EXPECT_TRUE(onLayer(otherA) && onLayer(otherB) && onLayer(first) && onLayer(last));

        for (Sprite* sprite : {first, last, otherA, otherB})
        {
            sprite->setPositionX(0);
            layer->retireSprite(sprite);
        }
        EXPECT_TRUE(layer->enemies->empty() && layer->shots->empty());
    }
}

TEST_F(Registries, ASpriteWithoutARegistryTagLeavesTheLayerAndNoRegistryChanges)
{
    startRun();
    Sprite* enemy = place(TAG_BOMBER, 500, 100);
    Sprite* shot = place(TAG_PLAYER_SHOT, 500, 200);
    const ssize_t children = layer->getChildrenCount();
    Held stray(place(42, 0, 300));

    layer->retireSprite(stray.get());
    EXPECT_EQ(stray->getParent(), nullptr);
    EXPECT_EQ(layer->getChildrenCount(), children);
    EXPECT_EQ(*layer->enemies, SpriteRegistry{enemy});
    EXPECT_EQ(*layer->shots, SpriteRegistry{shot});
}

} // namespace
