// Plays many runs headless and prints how they went.
#include <chrono>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "Bot.h"
#include "CommandLine.h"

namespace {
const char* const kUsage = "usage: skyvane_bot [--runs N] [--seed S] [--noise P]\n"
                           "  --runs N   runs to play (200)\n"
                           "  --seed S   seed of the game and of the noise (1)\n"
                           "  --noise P  chance per frame of a random pointer jump (0)";
}

int main(int argc, char** argv)
{
    CommandLine defaults;
    defaults.runs = 200;
    CommandLine line;
    if (const std::optional<int> status = readCommandLine(argc, argv, defaults, "skyvane_bot", kUsage, line))
    {
        return *status;
    }

    try
    {
        const auto start = std::chrono::steady_clock::now();
        std::vector<RunRecord> runs;
        Bot bot(line.bot);
        while (static_cast<int>(runs.size()) < line.runs)
        {
            runs.push_back(bot.playRun());
        }
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        std::cout << "seed " << line.bot.seed << ", noise " << line.bot.noise << '\n';
        printReport(std::cout, runs, bot.frames(), wall.count());
    }
    catch (const std::runtime_error& error)
    {
        std::cerr << "skyvane_bot: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
