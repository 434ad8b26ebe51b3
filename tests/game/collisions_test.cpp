#include "GameRun.h"

USING_NS_CC;
using namespace game_testing;
using testing_support::runFrames;

namespace {

// Boxes: shot 10x6, Bird 32x24, Bomber 64x32, Fighter 38x26, all centred on the position.
using Collisions = GameRun;

TEST_F(Collisions, OneShotOnTwoBombersScoresBothAndIsRemovedOnce)
{
    startRun();
    layer->score = 300;
    Sprite* bystander = place(TAG_BOMBER, 200, 500);
    Sprite* otherShot = place(TAG_PLAYER_SHOT, 200, 100);
    Held first(place(TAG_BOMBER, 500, 300));
    Held second(place(TAG_BOMBER, 510, 300));
    Held shot(place(TAG_PLAYER_SHOT, 480, 300));
    const ssize_t children = layer->getChildrenCount();

    layer->resolveShotHits();
    EXPECT_EQ(layer->score, 500u);
    EXPECT_EQ(*layer->enemies, SpriteRegistry{bystander});
    EXPECT_EQ(*layer->shots, SpriteRegistry{otherShot});
    EXPECT_EQ(layer->getChildrenCount(), children - 3);
    EXPECT_TRUE(!first->getParent() && !second->getParent() && !shot->getParent());
}

TEST_F(Collisions, TwoShotsOnOneFighterScoreItOnceAndBothGo)
{
    startRun();
    Held fighter(place(TAG_FIGHTER, 500, 300));
    Held left(place(TAG_PLAYER_SHOT, 490, 300));
    Held right(place(TAG_PLAYER_SHOT, 510, 305));

    layer->resolveShotHits();
    EXPECT_EQ(layer->score, 100u);
    EXPECT_TRUE(layer->enemies->empty());
    EXPECT_TRUE(layer->shots->empty());
    EXPECT_TRUE(!fighter->getParent() && !left->getParent() && !right->getParent());
}

TEST_F(Collisions, BirdsStopShotsUnharmedEvenBesideAStruckFighter)
{
    startRun();
    Sprite* birdBesideFighter = place(TAG_BIRD, 500, 300);
    Held fighter(place(TAG_FIGHTER, 505, 300));
    place(TAG_PLAYER_SHOT, 495, 300);
    Sprite* loneBird = place(TAG_BIRD, 700, 100);
    place(TAG_PLAYER_SHOT, 690, 100);

    layer->resolveShotHits();
    EXPECT_EQ(layer->score, 100u);
    EXPECT_EQ(*layer->enemies, (SpriteRegistry{birdBesideFighter, loneBird}));
    EXPECT_TRUE(onLayer(birdBesideFighter) && onLayer(loneBird));
    EXPECT_EQ(fighter->getParent(), nullptr);
    EXPECT_TRUE(layer->shots->empty());
}

TEST_F(Collisions, AnEnemyShotBringsDownABomberLikeAPlayerShot)
{
    startRun();
    Held bomber(place(TAG_BOMBER, 500, 300));
    Held shot(place(TAG_ENEMY_SHOT, 530, 310));

    layer->resolveShotHits();
    EXPECT_EQ(layer->score, 100u);
    EXPECT_TRUE(layer->enemies->empty() && layer->shots->empty());
    EXPECT_TRUE(!bomber->getParent() && !shot->getParent());
}

TEST_F(Collisions, BoxesThatOnlyTouchCollide)
{
    startRun();
    // The Bomber at (500, 300) spans 468..532 by 284..316.
    const struct
    {
        Vec2 shot;
        bool hit;
    } cases[] = {{{537, 300}, true}, {{537.5f, 300}, false},   {{463, 300}, true}, {{462.5f, 300}, false},
                 {{500, 319}, true}, {{500, 319.5f}, false},   {{500, 281}, true}, {{500, 280.5f}, false},
                 {{537, 319}, true}, {{537.5f, 319.5f}, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "shot at " << c.shot.x << "," << c.shot.y);
        Sprite* bomber = place(TAG_BOMBER, 500, 300);
        place(TAG_PLAYER_SHOT, c.shot.x, c.shot.y);
        const std::uint32_t scoreBefore = layer->score;
        layer->resolveShotHits();
        EXPECT_EQ(listed(*layer->enemies, bomber), !c.hit);
        EXPECT_EQ(layer->shots->empty(), c.hit);
        EXPECT_EQ(layer->score - scoreBefore, c.hit ? 100u : 0u);
        clearField();
    }
}

TEST_F(Collisions, StruckSpritesStopFlyingAndNeverComeBackToBeRetired)
{
    startRun();
    layer->spawnBomber();
    layer->firePlayerShot(layer->fireInterval);
    Held bomber(layer->enemies->front());
    Held shot(layer->shots->front());
    shot->setPosition(bomber->getPosition());
    runFrames(1);

    EXPECT_EQ(layer->score, 100u);
    auto* label = dynamic_cast<Label*>(layer->getChildByTag(TAG_SCORE_LABEL));
    ASSERT_NE(label, nullptr);
    runFrames(1);
    EXPECT_EQ(label->getString(), "SCORE 100");

    EXPECT_EQ(bomber->getNumberOfRunningActions(), 0);
    EXPECT_EQ(shot->getNumberOfRunningActions(), 0);
    const Vec2 bomberAt = bomber->getPosition();
    const Vec2 shotAt = shot->getPosition();
    // Past the end of both flights: neither moves again nor reaches the layer's callbacks.
    runFrames(200);
    EXPECT_EQ(bomber->getPosition(), bomberAt);
    EXPECT_EQ(shot->getPosition(), shotAt);
    EXPECT_TRUE(layer->enemies->empty() && layer->shots->empty());
}

} // namespace
