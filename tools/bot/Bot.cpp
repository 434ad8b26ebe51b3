#include "Bot.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "Frames.h"
#include "GameOverScene.h"
#include "Steering.h"

USING_NS_CC;
using MouseType = EventMouse::MouseEventType;

namespace {
// The game-over screen lasts 3 s; a new run that has not begun well after that never will.
const int kMaxFramesBetweenRuns = static_cast<int>(5 / testing_support::kFrame);
// A run this long means the game no longer ends runs: the bot's longest seen last under 20 minutes.
const long kMaxFramesPerRun = static_cast<long>(3600 / testing_support::kFrame);
// A steering move to less than this would only block the next move for a quarter second.
const float kMinSteer = 2;

HelloWorld* runningLayer()
{
    Scene* scene = Director::getInstance()->getRunningScene();
    return scene && scene->getChildrenCount() > 0 ? dynamic_cast<HelloWorld*>(scene->getChildren().at(0)) : nullptr;
}

bool gameIsOver()
{
    return dynamic_cast<GameOverScene*>(Director::getInstance()->getRunningScene()) != nullptr;
}
} // namespace

LossCause classifyLoss(HelloWorld& layer)
{
    // isPlayerHit holds the game's rules; asked again with parts of the field set aside, it tells
    // which part hit. No frame runs while the registries are set aside, and they go back as they were.
    SpriteRegistry enemies;
    SpriteRegistry shots;
    std::swap(enemies, *layer.enemies);
    std::swap(shots, *layer.shots);
    LossCause cause = LossCause::Unknown;
    if (layer.isPlayerHit())
    {
        const bool upperHalf = layer.getChildByTag(TAG_PLAYER)->getPositionY() > layer.visibleSize.height / 2;
        cause = upperHalf ? LossCause::TopEdge : LossCause::BottomEdge;
    }
    std::swap(enemies, *layer.enemies);
    if (cause == LossCause::Unknown && layer.isPlayerHit())
    {
        cause = LossCause::Enemy;
    }
    std::swap(shots, *layer.shots);
    if (cause == LossCause::Unknown && layer.isPlayerHit())
    {
        cause = LossCause::EnemyShot;
    }
    return cause;
}

Bot::Bot(const BotOptions& options) : _options(options), _noise(options.seed)
{
    testing_support::startHeadless();
    Director::getInstance()->runWithScene(HelloWorld::makeScene());
    step();
    beginRun();
}

Bot::~Bot()
{
    CC_SAFE_RELEASE_NULL(_layer);
    testing_support::shutDownDirector();
}

void Bot::step()
{
    Director::getInstance()->mainLoop(testing_support::kFrame);
    ++_frames;
}

void Bot::beginRun()
{
    _layer = runningLayer();
    if (!_layer)
    {
        throw std::runtime_error("the game did not start a new run");
    }
    _layer->retain();
    // The layer's init seeded the generator from the clock. Spreading the seeds keeps the runs of
    // nearby bot seeds apart: S and S + 1 must not replay each other's runs one run later.
    srand(_options.seed * 2654435761u + _runsBegun++);
    const float x = _layer->visibleSize.width / 2;
    const float y = _layer->visibleSize.height / 2;
    testing_support::sendMouse(MouseType::MOUSE_DOWN, x, y, EventMouse::MouseButton::BUTTON_LEFT);
}

RunRecord Bot::playRun()
{
    RunRecord record;
    long frames = 0;
    while (!gameIsOver())
    {
        if (frames == kMaxFramesPerRun)
        {
            throw std::runtime_error("run " + std::to_string(_runsBegun) + " has not ended after an hour of play");
        }
        steer(*_layer->getChildByTag(TAG_PLAYER));
        step();
        ++frames;
    }
    record.score = _layer->score;
    record.seconds = static_cast<float>(frames) * testing_support::kFrame;
    record.cause = classifyLoss(*_layer);
    CC_SAFE_RELEASE_NULL(_layer);

    for (int frame = 0; frame < kMaxFramesBetweenRuns && !runningLayer(); ++frame)
    {
        step();
    }
    beginRun();
    return record;
}

void Bot::steer(const Node& player)
{
    const Size view = _layer->visibleSize;
    std::uniform_real_distribution<float> unit(0, 1);
    if (_options.noise > 0 && unit(_noise) < _options.noise)
    {
        testing_support::sendMouse(MouseType::MOUSE_MOVE, unit(_noise) * view.width, unit(_noise) * view.height);
        return;
    }
    const float height = chooseHeight(*_layer, player);
    if (std::fabs(height - player.getPositionY()) >= kMinSteer)
    {
        testing_support::sendMouse(MouseType::MOUSE_MOVE, view.width / 2, height);
    }
}
