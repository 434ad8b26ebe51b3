#pragma once

#include <random>

#include "HelloWorld.h"
#include "RunStats.h"

struct BotOptions
{
    // Decides every run: the game's generator and the pointer noise are seeded from it.
    unsigned seed = 1;
    // Chance per frame that the pointer jumps to a random point of the view instead.
    double noise = 0;
};

// Plays the game on a headless view with fixed frame steps, run after run: fire held down, the
// pointer steered away from threats. Owns the Director from construction to destruction.
class Bot
{
public:
    // Starts the Director and the first run.
    explicit Bot(const BotOptions& options);
    ~Bot();
    Bot(const Bot&) = delete;
    Bot& operator=(const Bot&) = delete;

    // Plays the current run until it is lost, then lets the game-over screen pass: on return the
    // next run's scene is running. Throws std::runtime_error if the game stops starting runs.
    RunRecord playRun();

    long frames() const { return _frames; }

private:
    void beginRun();
    void steer(const cocos2d::Node& player);
    void step();

    BotOptions _options;
    std::mt19937 _noise;
    unsigned _runsBegun = 0;
    long _frames = 0;
    // Held for the whole run, so its last frame can still be read once the game-over scene replaced it.
    HelloWorld* _layer = nullptr;
};

// Why the game declared the loss, read from the layer as it stood at the end of that frame.
LossCause classifyLoss(HelloWorld& layer);
