#pragma once

#include "Bot.h"

struct CommandLine
{
    int runs = 0;
    BotOptions bot;
    bool help = false;
};

// Reads --runs N (N >= 1), --seed S, --noise P (0 <= P <= 1) and --help; anything else, or a value
// that does not parse whole, throws std::invalid_argument naming it.
CommandLine parseCommandLine(int argc, const char* const* argv, const CommandLine& defaults);
