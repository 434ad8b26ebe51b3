// The game beside two yardsticks, each watched from outside the way a player meets it, one
// program at a time on the X server in $DISPLAY: the floor (a bare GLFW window with the game's
// GL attributes presenting at 60 fps) and SDL2's GL renderer drawing 30 sprites at 60 fps.
// The game's figures are printed as ratios to both: on a shared machine absolute figures
// drift from run to run, ratios measured in one run much less. Figures only, never judged.
//
//   play_probe GAME FLOOR SDL_SPRITES [--xvfb-pid-file FILE]   (the display fixture's pid file)
#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "GameProcess.h"
#include "LosingPlayer.h"
#include "PresentedFrames.h"
#include "XWindow.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::duration;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr int kWindowWidth = 960;
constexpr int kWindowHeight = 640;
constexpr int kStarts = 5;
constexpr auto kFirstFramePoll = milliseconds(2);
constexpr auto kPatience = seconds(30);
constexpr auto kSession = seconds(60);
// The CPU window opens once the program has settled.
constexpr auto kCpuWindowOpens = seconds(20);
constexpr auto kCpuWindow = seconds(10);
constexpr int kRunsToRestart = 20;
constexpr auto kLongestSession = seconds(300);
constexpr auto kStepEvery = milliseconds(20);

double millisSince(Clock::time_point start)
{
    return duration<double, std::milli>(Clock::now() - start).count();
}

pid_t windowPid(Display* display, Window window)
{
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (pidAtom == None || XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                                              &count, &remaining, &data) != Success)
        return -1;
    const pid_t pid = data != nullptr && count == 1 && format == 32 ? static_cast<pid_t>(*reinterpret_cast<long*>(data))
                                                                    : -1;
    XFree(data);
    return pid;
}

// The top-level window the program maps. The root's substructure is watched from before the start.
Window waitForMappedWindow(Display* display, GameProcess& program)
{
    const Clock::time_point deadline = Clock::now() + kPatience;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (Clock::now() < deadline && program.running())
    {
        while (XPending(display) > 0)
        {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && windowPid(display, event.xmap.window) == program.pid())
                return event.xmap.window;
        }
        poll(&connection, 1, 5);
    }
    throw std::runtime_error("no window mapped within 30 s:\n" + program.output());
}

// The first frame is on the screen once the red close button in the bottom-right corner is.
void waitForFirstFrame(Display* display, Window window, GameProcess& program)
{
    const Clock::time_point deadline = Clock::now() + kPatience;
    while (!showsCloseButton(display, window, kWindowWidth, kWindowHeight))
    {
        if (Clock::now() > deadline || !program.running())
            throw std::runtime_error("no first frame drawn within 30 s:\n" + program.output());
        std::this_thread::sleep_for(kFirstFramePoll);
    }
}

struct Contender
{
    std::string label;
    std::string executable;
    bool isGame;
    std::vector<double> startups{};
    // Resident now and at its peak, after the session's first 60 s.
    double rssMiB = 0, peakMiB = 0;
    // Share of one core, and frames presented a second, over the CPU window.
    double cpuShare = 0, cpuFps = 0;
    double sessionSeconds = 0;
    int runsRestarted = 0;
    IntervalFigures intervals{};
    // Of the intervals over 25 ms, those about a run's end or start.
    long longNearTransitions = 0;
};

double startupMillis(Display* display, const std::string& executable)
{
    GameProcess program(executable);
    const Window window = waitForMappedWindow(display, program);
    waitForFirstFrame(display, window, program);
    return millisSince(program.started());
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The programs take turns, so a busy spell on the machine is shared among them.
void measureStartups(Display* display, std::vector<Contender>& all)
{
    std::printf("Start-up: from just before the process is created to the first screenshot of the window (polled\n"
                "every %lld ms) that shows the red close button, or the yardsticks' red square in its place.\n\n",
                static_cast<long long>(kFirstFramePoll.count()));
    std::printf("%-8s", "ms");
    for (int start = 1; start <= kStarts; ++start)
        std::printf(" %7d", start);
    std::printf(" %8s\n", "median");
    for (int start = 0; start < kStarts; ++start)
    {
        for (Contender& contender : all)
        {
            try
            {
                contender.startups.push_back(startupMillis(display, contender.executable));
            }
            catch (const std::runtime_error& error)
            {
                throw std::runtime_error(contender.label + ": " + error.what());
            }
        }
    }
    for (const Contender& contender : all)
    {
        std::printf("%-8s", contender.label.c_str());
        for (double millis : contender.startups)
            std::printf(" %7.0f", millis);
        std::printf(" %8.0f\n", median(contender.startups));
    }
}

// One session: memory after 60 s, CPU over 10 s from 20 s in, and every presented-frame
// interval from the first frame to the end; the game's session lasts until it has lost and
// restarted enough runs.
void measureSession(Display* display, Contender& contender)
{
    GameProcess program(contender.executable);
    const Window window = waitForMappedWindow(display, program);
    waitForFirstFrame(display, window, program);
    PresentedFrames frames(window, kWindowWidth, kWindowHeight);
    std::unique_ptr<LosingPlayer> player;
    if (contender.isGame)
        player = std::make_unique<LosingPlayer>(display, window, kWindowWidth, kWindowHeight);

    const Clock::time_point start = Clock::now();
    Clock::time_point cpuOpened;
    double cpuAtOpen = 0;
    long framesAtOpen = 0;
    bool cpuDone = false;
    bool memoryDone = false;
    for (;;)
    {
        if (!program.running())
            throw std::runtime_error(contender.label + " stopped during its session:\n" + program.output());
        const Clock::duration elapsed = Clock::now() - start;
        if (player)
            player->step();
        if (cpuOpened == Clock::time_point() && elapsed >= kCpuWindowOpens)
        {
            cpuOpened = Clock::now();
            cpuAtOpen = cpuSeconds(program.pid());
            framesAtOpen = frames.count();
        }
        else if (!cpuDone && cpuOpened != Clock::time_point() && Clock::now() - cpuOpened >= kCpuWindow)
        {
            cpuDone = true;
            const double wall = duration<double>(Clock::now() - cpuOpened).count();
            contender.cpuShare = (cpuSeconds(program.pid()) - cpuAtOpen) / wall;
            contender.cpuFps = static_cast<double>(frames.count() - framesAtOpen) / wall;
        }
        if (!memoryDone && elapsed >= kSession)
        {
            memoryDone = true;
            contender.rssMiB = statusKiB(program.pid(), "VmRSS") / 1024.0;
            contender.peakMiB = statusKiB(program.pid(), "VmHWM") / 1024.0;
        }
        const bool enoughRuns = !player || player->runsRestarted() >= kRunsToRestart;
        if (memoryDone && cpuDone && enoughRuns)
            break;
        if (elapsed > kLongestSession)
            throw std::runtime_error(contender.label + ": only " + std::to_string(player->runsRestarted()) +
                                     " runs restarted in 300 s");
        std::this_thread::sleep_for(kStepEvery);
    }
    contender.sessionSeconds = duration<double>(Clock::now() - start).count();
    const std::vector<Clock::time_point> stamps = frames.stamps();
    contender.intervals = summarise(stamps);
    if (player)
    {
        contender.runsRestarted = player->runsRestarted();
        contender.longNearTransitions = longIntervalsNear(stamps, player->transitions());
    }
}

double startup(const Contender& c)
{
    return median(c.startups);
}

struct Row
{
    const char* what;
    double (*figure)(const Contender&);
    const char* format;
};

const Row kRows[] = {
    {"start-up to first frame, ms (median of 5)", startup, "%10.0f"},
    {"resident memory after 60 s, MiB", [](const Contender& c) { return c.rssMiB; }, "%10.1f"},
    {"resident peak, MiB", [](const Contender& c) { return c.peakMiB; }, "%10.1f"},
    {"CPU share of one core over 10 s, %", [](const Contender& c) { return 100 * c.cpuShare; }, "%10.1f"},
    {"frames presented a second then", [](const Contender& c) { return c.cpuFps; }, "%10.1f"},
    {"frame interval p50, ms", [](const Contender& c) { return c.intervals.p50; }, "%10.2f"},
    {"frame interval p99, ms", [](const Contender& c) { return c.intervals.p99; }, "%10.2f"},
    {"frame interval max, ms", [](const Contender& c) { return c.intervals.max; }, "%10.2f"},
    {"frames over 25 ms", [](const Contender& c) { return static_cast<double>(c.intervals.over25); }, "%10.0f"},
};

void printTable(const Contender& game, const Contender& floor, const Contender& sdl)
{
    std::printf("\n%-42s %10s %10s %10s %11s %10s\n", "", "game", "floor", "SDL2", "game/floor", "game/SDL2");
    for (const Row& row : kRows)
    {
        std::printf("%-42s", row.what);
        for (const Contender* c : {&game, &floor, &sdl})
            std::printf(row.format, row.figure(*c));
        const double ours = row.figure(game);
        for (const Contender* c : {&floor, &sdl})
        {
            const double theirs = row.figure(*c);
            if (theirs > 0)
                std::printf(" %10.2f", ours / theirs);
            else
                std::printf(" %10s", "n/a");
        }
        std::printf("\n");
    }
    std::printf("\nIntervals: game %zu over %.0f s, through %d runs lost (\"You Lose!\") and restarted; floor %zu and "
                "SDL2 %zu over %.0f s and %.0f s.\n",
                game.intervals.intervals, game.sessionSeconds, game.runsRestarted, floor.intervals.intervals,
                sdl.intervals.intervals, floor.sessionSeconds, sdl.sessionSeconds);
    std::printf("Of the game's %ld frames over 25 ms, %ld came within 1 s after (or 0.5 s before) a run ended or a "
                "fresh one started.\n",
                game.intervals.over25, game.longNearTransitions);
}

const char* verdict(bool met)
{
    return met ? "met" : "MISSED";
}

void printTargets(const Contender& game, const Contender& floor, const Contender& sdl, char* summary, size_t size)
{
    const double startupRatio = startup(game) / startup(floor);
    const double extraMiB = game.rssMiB - floor.rssMiB;
    const double cpuRatio = game.cpuShare / sdl.cpuShare;
    const double extraP99 = game.intervals.p99 - floor.intervals.p99;
    std::printf("\nTargets (figures, not assertions):\n");
    std::printf("  start-up <= 1.1 x the floor's          %5.2f x   %s\n", startupRatio, verdict(startupRatio <= 1.1));
    std::printf("  memory   <= the floor's + 8 MiB        %+5.1f MiB %s\n", extraMiB, verdict(extraMiB <= 8));
    std::printf("  CPU      <= 0.6 x SDL2's               %5.2f x   %s\n", cpuRatio, verdict(cpuRatio <= 0.6));
    std::printf("  p99 interval <= the floor's + 0.5 ms   %+5.2f ms  %s\n", extraP99, verdict(extraP99 <= 0.5));
    std::printf("  no frame over 25 ms                    %5ld     %s\n", game.intervals.over25,
                verdict(game.intervals.over25 == 0));
    std::snprintf(summary, size,
                  "game/floor: start-up %.2fx, memory %+.1f MiB (%.2fx), p99 interval %+.2f ms; game/SDL2: CPU %.2fx, "
                  "memory %.2fx; game frames over 25 ms: %ld in %d run restarts",
                  startupRatio, extraMiB, game.rssMiB / floor.rssMiB, extraP99, cpuRatio, game.rssMiB / sdl.rssMiB,
                  game.intervals.over25, game.runsRestarted);
}

std::string resolved(const char* path)
{
    char* full = realpath(path, nullptr);
    if (full == nullptr)
        throw std::invalid_argument(std::string(path) + ": no such executable");
    std::string text = full;
    std::free(full);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && !(argc == 6 && std::strcmp(argv[4], "--xvfb-pid-file") == 0))
    {
        std::fprintf(stderr, "usage: %s GAME FLOOR SDL_SPRITES [--xvfb-pid-file FILE]\n", argv[0]);
        return 2;
    }
    pid_t xvfb = -1;
    if (argc == 6)
    {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> pidFile(std::fopen(argv[5], "r"), std::fclose);
        if (!pidFile || std::fscanf(pidFile.get(), "%d", &xvfb) != 1)
        {
            std::fprintf(stderr, "play_probe: no process id in \"%s\"\n", argv[5]);
            return 2;
        }
    }
    DisplayHandle display = openDisplay();
    if (!display)
    {
        std::fprintf(stderr, "play_probe: cannot open the X display \"%s\"\n", XDisplayName(nullptr));
        return 2;
    }
    XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);

    char summary[400];
    try
    {
        std::vector<Contender> all{
            {"game", resolved(argv[1]), true}, {"floor", resolved(argv[2]), false}, {"SDL2", resolved(argv[3]), false}};
        std::printf("== 3. The game beside the floor and SDL2, one program at a time on this X server\n");
        std::printf("floor: a bare GLFW window with the game's GL attributes, cleared and presented at 60 fps on\n"
                    "absolute deadlines; SDL2: its OpenGL renderer drawing 30 alpha-blended sprites at 60 fps.\n\n");
        measureStartups(display.get(), all);
        std::printf("\nSessions: memory after %lld s; CPU (utime+stime of all threads, /proc/<pid>/stat) over %lld s "
                    "from %lld s in;\nframe intervals between whole-window DAMAGE reports from the first frame on. The "
                    "game is played\nas the playtest driver plays, a little with fire held, then into the top edge, "
                    "until %d runs\nhave been lost and restarted.\n",
                    static_cast<long long>(kSession.count()), static_cast<long long>(kCpuWindow.count()),
                    static_cast<long long>(kCpuWindowOpens.count()), kRunsToRestart);
        for (Contender& contender : all)
        {
            const double xvfbBefore = xvfb > 0 ? cpuSeconds(xvfb) : 0;
            measureSession(display.get(), contender);
            if (xvfb > 0)
                std::printf("  %-6s session %.0f s; Xvfb used %.1f %% of a core receiving its frames\n",
                            contender.label.c_str(), contender.sessionSeconds,
                            100 * (cpuSeconds(xvfb) - xvfbBefore) / contender.sessionSeconds);
        }
        printTable(all[0], all[1], all[2]);
        printTargets(all[0], all[1], all[2], summary, sizeof summary);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "play_probe: %s\n", error.what());
        return 1;
    }
    std::printf("summary: %s\n", summary);
    return 0;
}
