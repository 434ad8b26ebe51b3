#include "GameProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace {

std::string directoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

pid_t spawn(const std::vector<std::string>& arguments, const posix_spawn_file_actions_t* actions)
{
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv;
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

} // namespace

GameProcess::GameProcess(const std::string& executable)
{
    char logTemplate[] = "/tmp/skyvane-bench-game-XXXXXX";
    const int log = mkstemp(logTemplate);
    if (log < 0)
        throw std::runtime_error("cannot create a log file in /tmp");
    close(log);
    _logPath = logTemplate;

    // The game finds Resources/ beside itself; its own folder as the working one, as a player starts it.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, _logPath.c_str(), O_WRONLY | O_APPEND, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, directoryOf(executable).c_str());
    _started = Clock::now();
    _pid = spawn({executable}, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (_pid < 0)
        throw std::runtime_error("cannot start " + executable);
}

GameProcess::~GameProcess()
{
    if (running())
    {
        kill(_pid, SIGKILL);
        waitpid(_pid, nullptr, 0);
    }
    unlink(_logPath.c_str());
}

bool GameProcess::running()
{
    if (_pid < 0)
        return false;
    if (waitpid(_pid, nullptr, WNOHANG) == 0)
        return true;
    _pid = -1;
    return false;
}

std::string GameProcess::output() const
{
    std::ifstream log(_logPath);
    std::ostringstream text;
    text << log.rdbuf();
    return text.str();
}

double cpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return -1;
    // The command name may hold spaces and parentheses: fields are counted after its last ')'.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    unsigned long long ticks[2] = {0, 0};
    // Fields 3 to 13, then utime (14) and stime (15).
    for (int number = 3; number <= 15 && fields >> field; ++number)
    {
        if (number >= 14)
            ticks[number - 14] = std::stoull(field);
    }
    return static_cast<double>(ticks[0] + ticks[1]) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long statusKiB(pid_t pid, const std::string& field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string name;
    long value = 0;
    std::string line;
    while (std::getline(status, line))
    {
        std::istringstream words(line);
        if (words >> name >> value && name == field + ":")
            return value;
    }
    return -1;
}

bool runCommand(const std::vector<std::string>& arguments)
{
    const pid_t pid = spawn(arguments, nullptr);
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
