#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "Bot.h"
#include "CommandLine.h"
#include "GameRun.h"
#include "Steering.h"

USING_NS_CC;
using game_testing::GameRun;

namespace {

// The craft starts at (320, 320); its box is 48x32. View 960x640.

TEST(RunStats, DistributionTakesTheMiddlePairForAnEvenCount)
{
    const Distribution odd = distributionOf({400, 100, 300});
    EXPECT_EQ(odd.min, 100);
    EXPECT_EQ(odd.median, 300);
    EXPECT_NEAR(odd.mean, 800.0 / 3, 1e-9);
    EXPECT_EQ(odd.max, 400);
    EXPECT_EQ(distributionOf({400, 100, 300, 200}).median, 250);
    EXPECT_EQ(distributionOf({}).max, 0);
}

TEST(RunStats, HistogramBandsStartAtZeroAndKeepEmptyBands)
{
    std::vector<RunRecord> runs(4);
    runs[0].score = 0;
    runs[1].score = 499;
    runs[2].score = 500;
    runs[3].score = 1600;
    EXPECT_EQ(scoreHistogram(runs, 500), (std::vector<int>{2, 1, 0, 1}));
    EXPECT_TRUE(scoreHistogram({}, 500).empty());
}

TEST(CommandLineTest, ReadsEveryOptionAndKeepsDefaultsForTheRest)
{
    CommandLine defaults;
    defaults.runs = 200;
    const char* argv[] = {"bot", "--seed", "42", "--noise", "0.25"};
    const CommandLine line = parseCommandLine(5, argv, defaults);
    EXPECT_EQ(line.runs, 200);
    EXPECT_EQ(line.bot.seed, 42u);
    EXPECT_EQ(line.bot.noise, 0.25);

    const char* help[] = {"bot", "--help", "--runs", "0"};
    EXPECT_TRUE(parseCommandLine(4, help, defaults).help);
}

TEST(CommandLineTest, RejectsWhatDoesNotParseWholeOrIsOutOfRange)
{
    const std::vector<std::vector<const char*>> bad = {
        {"bot", "--runs", "0"},  {"bot", "--runs", "12x"},  {"bot", "--runs", ""},
        {"bot", "--seed", "-1"}, {"bot", "--noise", "1.5"}, {"bot", "--noise", "nan"},
        {"bot", "--noise"},      {"bot", "--speed", "2"},   {"bot", "--runs", "99999999999999999999"}};
    for (const auto& argv : bad)
    {
        SCOPED_TRACE(argv.back());
        const int argc = static_cast<int>(argv.size());
        EXPECT_THROW(parseCommandLine(argc, argv.data(), CommandLine{}), std::invalid_argument);
    }
}

class Steering : public GameRun
{
protected:
    float chosen() { return chooseHeight(*layer, *player()); }
};

TEST_F(Steering, HoldsItsHeightWhenNothingIsInTheWay)
{
    startRun();
    // Behind the craft, far ahead, well above, and the craft's own shot right ahead.
    place(TAG_FIGHTER, 200, 320);
    place(TAG_BOMBER, 900, 320);
    place(TAG_ENEMY_SHOT, 400, 400);
    place(TAG_PLAYER_SHOT, 360, 320);
    EXPECT_EQ(chosen(), 320);
}

TEST_F(Steering, LeavesTheNearestThreatOnTheSideTheCraftIsOn)
{
    startRun();
    // The shot spans 327..333; the craft's centre goes 24 + 16 below it. The Bomber further on is ignored.
    place(TAG_ENEMY_SHOT, 450, 330);
    place(TAG_BOMBER, 520, 300);
    EXPECT_EQ(chosen(), 327 - 24 - 16);

    clearField();
    place(TAG_BIRD, 380, 310); // spans 298..322
    EXPECT_EQ(chosen(), 322 + 24 + 16);
}

TEST_F(Steering, CrossesTheThreatWhenAnEdgeIsInTheWayAndKeepsOffTheEdges)
{
    startRun();
    player()->setPosition(320, 70);
    place(TAG_ENEMY_SHOT, 400, 80);
    EXPECT_EQ(chosen(), 83 + 24 + 16);

    clearField();
    player()->setPosition(320, 630);
    EXPECT_EQ(chosen(), 640 - 60);
}

class LossCauses : public GameRun
{
};

TEST_F(LossCauses, EachPartOfTheFieldIsNamedAndTheRegistriesAreLeftAsTheyWere)
{
    startRun();
    const struct
    {
        int tag;
        Vec2 craft;
        LossCause cause;
    } cases[] = {
        {TAG_BIRD, {320, 320}, LossCause::Enemy},           {TAG_FIGHTER, {320, 320}, LossCause::Enemy},
        {TAG_ENEMY_SHOT, {320, 320}, LossCause::EnemyShot}, {TAG_PLAYER_SHOT, {320, 320}, LossCause::Unknown},
        {TAG_PLAYER_SHOT, {320, 624}, LossCause::TopEdge},  {TAG_PLAYER_SHOT, {320, 16}, LossCause::BottomEdge},
        {TAG_BOMBER, {320, 16}, LossCause::BottomEdge}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "tag " << c.tag << " at " << c.craft.y);
        player()->setPosition(c.craft);
        Sprite* other = place(c.tag, 330, c.craft.y);
        Sprite* bystander = place(TAG_ENEMY_SHOT, 900, 100);
        const SpriteRegistry enemies = *layer->enemies;
        const SpriteRegistry shots = *layer->shots;
        EXPECT_EQ(classifyLoss(*layer), c.cause);
        EXPECT_EQ(*layer->enemies, enemies);
        EXPECT_EQ(*layer->shots, shots);
        EXPECT_TRUE(onLayer(other) && onLayer(bystander));
        clearField();
    }
}

TEST_F(LossCauses, AnEnemyOutranksAnEnemyShotInTheSameFrame)
{
    startRun();
    place(TAG_ENEMY_SHOT, 330, 320);
    place(TAG_FIGHTER, 300, 320);
    EXPECT_EQ(classifyLoss(*layer), LossCause::Enemy);
}

std::vector<RunRecord> playRuns(const BotOptions& options, int count)
{
    Bot bot(options);
    std::vector<RunRecord> runs;
    for (int i = 0; i < count; ++i)
    {
        runs.push_back(bot.playRun());
    }
    return runs;
}

bool sameRun(const RunRecord& a, const RunRecord& b)
{
    return a.score == b.score && a.seconds == b.seconds && a.cause == b.cause;
}

TEST(BotRuns, TheSeedDecidesEveryRunAndEveryLossHasAKnownCause)
{
    BotOptions noisy;
    noisy.seed = 11;
    noisy.noise = 0.05;
    const std::vector<RunRecord> first = playRuns(noisy, 3);
    const std::vector<RunRecord> again = playRuns(noisy, 3);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), again.begin(), again.end(), sameRun));
    for (const RunRecord& run : first)
    {
        EXPECT_NE(run.cause, LossCause::Unknown);
        EXPECT_GT(run.seconds, 0);
        EXPECT_EQ(run.score % 100, 0u);
    }
}

TEST(BotRuns, NearbySeedsShareNoRun)
{
    BotOptions quiet;
    quiet.seed = 11;
    const std::vector<RunRecord> first = playRuns(quiet, 3);
    quiet.seed = 12;
    const std::vector<RunRecord> second = playRuns(quiet, 3);
    for (const RunRecord& run : first)
    {
        EXPECT_EQ(std::count_if(first.begin(), first.end(), [&](const RunRecord& r) { return sameRun(r, run); }), 1);
        EXPECT_TRUE(std::none_of(second.begin(), second.end(), [&](const RunRecord& r) { return sameRun(r, run); }));
    }
}

} // namespace
