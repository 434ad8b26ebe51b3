#pragma once

#include <optional>

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

// The programs' front door: parses into line, or says why not (usage on stderr, status 2) or
// answers --help (usage on stdout, status 0); a status means the program ends with it.
std::optional<int> readCommandLine(int argc, const char* const* argv, const CommandLine& defaults, const char* program,
                                   const char* usage, CommandLine& line);
