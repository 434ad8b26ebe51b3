#include "CommandLine.h"

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void reject(const std::string& option, const char* value)
{
    throw std::invalid_argument("bad value for " + option + ": '" + value + "'");
}

long long readInteger(const std::string& option, const char* value, long long low, long long high)
{
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(value, &end, 10);
    if (end == value || *end != '\0' || errno == ERANGE || number < low || number > high)
    {
        reject(option, value);
    }
    return number;
}

double readFraction(const std::string& option, const char* value)
{
    char* end = nullptr;
    const double number = std::strtod(value, &end);
    // The negated test also turns NaN away.
    if (end == value || *end != '\0' || !(number >= 0 && number <= 1))
    {
        reject(option, value);
    }
    return number;
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const* argv, const CommandLine& defaults)
{
    CommandLine line = defaults;
    for (int i = 1; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h")
        {
            line.help = true;
            return line;
        }
        if (option != "--runs" && option != "--seed" && option != "--noise")
        {
            throw std::invalid_argument("unknown argument '" + option + "'");
        }
        if (i + 1 >= argc)
        {
            throw std::invalid_argument(option + " needs a value");
        }
        const char* value = argv[++i];
        if (option == "--runs")
        {
            line.runs = static_cast<int>(readInteger(option, value, 1, 1000000000));
        }
        else if (option == "--seed")
        {
            line.bot.seed = static_cast<unsigned>(readInteger(option, value, 0, 4294967295LL));
        }
        else
        {
            line.bot.noise = readFraction(option, value);
        }
    }
    return line;
}

std::optional<int> readCommandLine(int argc, const char* const* argv, const CommandLine& defaults, const char* program,
                                   const char* usage, CommandLine& line)
{
    try
    {
        line = parseCommandLine(argc, argv, defaults);
    }
    catch (const std::invalid_argument& error)
    {
        std::cerr << program << ": " << error.what() << '\n' << usage << '\n';
        return 2;
    }
    if (line.help)
    {
        std::cout << usage << '\n';
        return 0;
    }
    return std::nullopt;
}
