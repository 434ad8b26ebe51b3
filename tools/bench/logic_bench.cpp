// Game logic per frame on the headless view: the scheduler, the actions and the layer's tick,
// with nothing drawn. Figures are printed, never asserted.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

#include "Frames.h"
#include "HelloWorld.h"

USING_NS_CC;

namespace {

using testing_support::kFrame;

// A fixed seed makes every repetition the same game.
constexpr unsigned kSeed = 7;
// About the load of a run a few seconds in: a handful of enemies and a stream of shots.
constexpr float kWarmUpSeconds = 4.0f;
constexpr float kSwaySeconds = 0.5f;

// One run of the game on a headless view of the window's size, ended with the object.
class HeadlessRun
{
public:
    HeadlessRun()
    {
        testing_support::startHeadless();
        _scene = HelloWorld::makeScene();
        // Held so that "still in play?" has an answer after a lost run replaced the scene.
        _scene->retain();
        // After init, which seeds from the clock.
        std::srand(kSeed);
        Director::getInstance()->runWithScene(_scene);
        // Past the first tick, which also restarts the spawn timer.
        testing_support::runFrames(3);
        layer = static_cast<HelloWorld*>(_scene->getChildren().at(0));
    }
    ~HeadlessRun()
    {
        _scene->release();
        testing_support::shutDownDirector();
    }
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    bool inPlay() const { return Director::getInstance()->getRunningScene() == _scene; }

    HelloWorld* layer = nullptr;

private:
    Scene* _scene = nullptr;
};

void usualLoad(benchmark::State& state)
{
    HeadlessRun run;
    // Fire held from the start, as a player does; the craft stays at mid-height.
    testing_support::sendMouse(EventMouse::MouseEventType::MOUSE_DOWN, 480, 320, EventMouse::MouseButton::BUTTON_LEFT);
    testing_support::runSeconds(kWarmUpSeconds);
    double enemies = 0;
    double shots = 0;
    for (auto _ : state)
    {
        Director::getInstance()->mainLoop(kFrame);
        enemies += static_cast<double>(run.layer->enemies->size());
        shots += static_cast<double>(run.layer->shots->size());
    }
    if (!run.inPlay())
    {
        state.SkipWithError("the run was lost: the load is not the usual one");
        return;
    }
    state.counters["enemies"] = benchmark::Counter(enemies, benchmark::Counter::kAvgIterations);
    state.counters["shots"] = benchmark::Counter(shots, benchmark::Counter::kAvgIterations);
}
// Ten seconds of play per repetition: with the fixed seed, the same ten seconds each time.
BENCHMARK(usualLoad)->Iterations(600)->Repetitions(5)->DisplayAggregatesOnly()->Unit(benchmark::kMicrosecond);

// Back and forth for ever: the crowd keeps moving without ever leaving its strip.
void sway(Node* node, const Vec2& leg)
{
    node->runAction(Sequence::create(MoveBy::create(kSwaySeconds, leg),
                                     CallFuncN::create([leg](Node* moved) { sway(moved, -leg); }), nullptr));
}

void enlist(HelloWorld* layer, SpriteRegistry& registry, const char* image, int tag, const Vec2& at, const Vec2& leg)
{
    auto* sprite = Sprite::create(image);
    sprite->setPosition(at);
    sprite->setTag(tag);
    registry.push_back(sprite);
    layer->addChild(sprite);
    sway(sprite, leg);
}

// N Bombers and N of the player's shots, all moving. The collision pass tests every pair; the
// strips never meet (nor the craft at x = 320), so the crowd stays whole frame after frame.
void crowd(benchmark::State& state)
{
    const auto count = static_cast<size_t>(state.range(0));
    HeadlessRun run;
    run.layer->unschedule(CC_SCHEDULE_SELECTOR(HelloWorld::spawnEnemy));
    std::mt19937 random(kSeed);
    std::uniform_real_distribution<float> shotX(380, 540);
    std::uniform_real_distribution<float> enemyX(640, 900);
    std::uniform_real_distribution<float> anyY(40, 600);
    for (size_t i = 0; i < count; ++i)
    {
        enlist(run.layer, *run.layer->enemies, "Bomber.png", TAG_BOMBER, Vec2(enemyX(random), anyY(random)),
               Vec2(0, 20));
        enlist(run.layer, *run.layer->shots, "Projectile.png", TAG_PLAYER_SHOT, Vec2(shotX(random), anyY(random)),
               Vec2(20, 0));
    }
    for (auto _ : state)
    {
        Director::getInstance()->mainLoop(kFrame);
    }
    if (!run.inPlay() || run.layer->enemies->size() != count || run.layer->shots->size() != count)
    {
        state.SkipWithError("the crowd met something: the load changed while it was timed");
        return;
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(crowd)
    ->ArgName("N")
    ->Arg(10)
    ->Arg(30)
    ->Arg(100)
    ->Arg(300)
    ->Arg(1000)
    ->Arg(2000)
    ->Complexity(benchmark::oNSquared)
    ->Unit(benchmark::kMicrosecond);

// The console table as usual, plus the few figures the run's closing summary quotes.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    // Plain text: the table usually lands in a log.
    SummaryReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
        {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.function_name;
            if (name == "usualLoad" && run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                _usualMicros = run.GetAdjustedCPUTime();
            else if (name == "crowd" && run.run_type == Run::RT_Iteration)
                _crowdMicros[run.complexity_n] = run.GetAdjustedCPUTime();
        }
    }

    void printSummary() const
    {
        std::printf("summary: game logic per frame: usual load %.1f us", _usualMicros);
        for (const auto& [count, micros] : _crowdMicros)
        {
            if (count == 100 || count == 2000)
                std::printf(", %lld enemies + %lld shots %.0f us", static_cast<long long>(count),
                            static_cast<long long>(count), micros);
        }
        std::printf(" (a frame at 60 fps lasts 16,667 us)\n");
    }

private:
    double _usualMicros = 0;
    std::map<int64_t, double> _crowdMicros;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::printf("usualLoad: a seeded run %.0f s into play with fire held, then 600 frames timed (5 times).\n"
                "crowd/N: N Bombers and N of the player's shots, all moving, none meeting: the collision pass\n"
                "tests all N x N pairs. Time is per frame; a frame at 60 fps lasts 16,667 us.\n",
                kWarmUpSeconds);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.printSummary();
    return 0;
}
