#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// A program under measurement (the game or a yardstick) in a process of its own, started in its
// own folder with its output kept in a file; killed when the object goes.
class GameProcess
{
public:
    using Clock = std::chrono::steady_clock;

    explicit GameProcess(const std::string& executable);
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    pid_t pid() const { return _pid; }
    // Taken just before the process was created: start-up counts from here.
    Clock::time_point started() const { return _started; }
    bool running();
    // What the game printed so far, for error reports.
    std::string output() const;

private:
    pid_t _pid = -1;
    Clock::time_point _started;
    std::string _logPath;
};

// User plus system CPU seconds of all the process's threads so far, from /proc/<pid>/stat;
// negative when the process is gone.
double cpuSeconds(pid_t pid);

// A "Vm..." line of /proc/<pid>/status in KiB; negative when missing.
long statusKiB(pid_t pid, const std::string& field);

// Runs a command (found on PATH) to its end; false when it could not run or failed.
bool runCommand(const std::vector<std::string>& arguments);
