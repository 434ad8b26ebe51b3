#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cocos2d.h"

// Node tags of the playfield.
constexpr int TAG_BIRD = 0;
constexpr int TAG_BOMBER = 1;
constexpr int TAG_FIGHTER = 2;
constexpr int TAG_PLAYER_SHOT = 3;
constexpr int TAG_ENEMY_SHOT = 4;
constexpr int TAG_PLAYER = 5;
constexpr int TAG_SCORE_LABEL = 6;

// Action tag of the player's steering move; it lives among the player's action tags.
constexpr int TAG_STEER_ACTION = 5;

// A new shot starts this far ahead of the craft that fires it.
constexpr float MUZZLE_OFFSET = 25.0f;

// Live shots or enemies, oldest first. The layer owns the sprites; a registry only points.
using SpriteRegistry = std::vector<cocos2d::Sprite*>;

// A float in [-1, 1] from one draw of the C runtime's generator.
float randomSigned();

// One run of the game: the playfield, its sprites, the score, the timers and the input.
class HelloWorld : public cocos2d::Layer
{
public:
    CREATE_FUNC(HelloWorld);
    static cocos2d::Scene* makeScene();

    ~HelloWorld() override;
    bool init() override;

    // Playfield and close button
    void onCloseClicked(cocos2d::Ref* sender);

    // Score
    const std::string& updateScoreText();
    void refreshScoreLabel();

    // Steering and fire
    void handleMouseDown(cocos2d::Event* event);
    void handleMouseUp(cocos2d::Event* event);
    void handleMouseMove(cocos2d::Event* event);
    void firePlayerShot(float dt);

    // Registries
    void retireSprite(cocos2d::Node* node);

    // Enemies
    void fireEnemyVolley(float dt);
    void spawnEnemy(float dt);
    void spawnBird();
    void spawnBomber();
    void spawnFighter();

    // The frame
    bool isPlayerHit();
    void tick(float dt);
    void resolveShotHits();

    std::string scoreText;
    std::unique_ptr<SpriteRegistry> enemies;
    std::unique_ptr<SpriteRegistry> shots;
    bool levelUpPending = false;
    std::uint32_t score = 0;
    std::uint32_t lastLevelScore = 1;
    float spawnInterval = 2.0f;
    float fireInterval = 0.15f;
    float steerDuration = 0.25f;
    cocos2d::Size visibleSize;
    cocos2d::Vec2 visibleOrigin;

private:
    bool loadRequiredResources() const;
    cocos2d::Sprite* findPlayer() const;
    // Positions, tags and registers a new shot or enemy, then puts it on the layer.
    void enlist(cocos2d::Sprite* sprite, const cocos2d::Vec2& position, int tag, SpriteRegistry& registry);
    // Runs the move, then hands the sprite to retireSprite.
    void moveThenRetire(cocos2d::Sprite* sprite, cocos2d::FiniteTimeAction* move);
    // A shot flies straight across at one visible width per second and leaves beyond the edge.
    void fireShot(const cocos2d::Vec2& from, int tag, bool towardsRight);
    void stepBird(cocos2d::Sprite* bird);
    void stepFighter(cocos2d::Sprite* fighter, const cocos2d::Sprite* player);
    void takeDifficultyStep();
};

// Length of a move, with the root taken in double precision and rounded back.
float moveDistance(float dx, float dy);

// Half or a third of the width per second, by the parity of one draw.
float drawSpeed(float width);

// A sprite's hit box: its content size centred on its position.
cocos2d::Rect spriteBox(const cocos2d::Node* sprite);

// Erases the first entry that holds the pointer; false when none does.
bool eraseFromRegistry(SpriteRegistry& registry, const cocos2d::Sprite* sprite);
