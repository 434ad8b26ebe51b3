// Many runs in a row under the bot with pointer noise: every run must leave the engine's live
// objects as it found them, and the Director's end must bring them back to the count before the first.
// Leaks and undefined behaviour are the sanitizers' to report.
#include <chrono>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "Bot.h"
#include "CommandLine.h"
#include "base/CCLiveObjects.h"
#include "cocos2d.h"

namespace {
const char* const kUsage = "usage: skyvane_soak [--runs N] [--seed S] [--noise P]\n"
                           "  --runs N   runs to play (1000)\n"
                           "  --seed S   seed of the game and of the noise (1)\n"
                           "  --noise P  chance per frame of a random pointer jump (0.02)";
// Beyond these many mismatching runs the rest are only counted.
const int kRunsListed = 10;
}

int main(int argc, char** argv)
{
    CommandLine defaults;
    defaults.runs = 1000;
    // Enough stray moves to end runs in every way, including the edges, and often.
    defaults.bot.noise = 0.02;
    CommandLine line;
    if (const std::optional<int> status = readCommandLine(argc, argv, defaults, "skyvane_soak", kUsage, line))
    {
        return *status;
    }

    const auto start = std::chrono::steady_clock::now();
    const long beforeStart = cocos2d::liveObjectCount();
    long afterFirstRun = 0;
    long frames = 0;
    int mismatches = 0;
    std::vector<RunRecord> runs;
    try
    {
        Bot bot(line.bot);
        // Each count is taken where playRun leaves off: the next run's scene has just become the
        // running one. The first run also makes what runs share for good (the font atlases of every
        // text shown), so the counts after it are the ones that must not move.
        runs.push_back(bot.playRun());
        afterFirstRun = cocos2d::liveObjectCount();
        while (static_cast<int>(runs.size()) < line.runs)
        {
            runs.push_back(bot.playRun());
            const long live = cocos2d::liveObjectCount();
            if (live != afterFirstRun && ++mismatches <= kRunsListed)
            {
                std::cerr << "after run " << runs.size() << ": " << live << " live objects, " << afterFirstRun
                          << " after the first\n";
            }
        }
        frames = bot.frames();
    }
    catch (const std::runtime_error& error)
    {
        std::cerr << "skyvane_soak: " << error.what() << '\n';
        return 1;
    }
    const long afterEnd = cocos2d::liveObjectCount();
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;

    std::cout << "seed " << line.bot.seed << ", noise " << line.bot.noise << '\n';
    printReport(std::cout, runs, frames, wall.count());
    std::cout << "live objects  " << beforeStart << " before the first run, " << afterFirstRun << " after each run, "
              << afterEnd << " after the Director's end\n";
    const bool clean = mismatches == 0 && afterEnd == beforeStart;
    std::cout << (clean ? "soak passed" : "soak FAILED") << ": " << mismatches << " of " << runs.size()
              << " runs changed the live count" << (afterEnd == beforeStart ? "" : "; objects outlived the Director")
              << '\n';
    return clean ? 0 : 1;
}
