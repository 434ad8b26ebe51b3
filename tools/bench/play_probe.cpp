// Start-up, memory, CPU share and frame rate of the real executable on the X server in $DISPLAY,
// watched from outside the way a player meets it. Figures only.
//
//   play_probe SKYVANE_EXECUTABLE [--xvfb-pid PID]
#include <X11/Xatom.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "GameProcess.h"
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
constexpr auto kPlay = seconds(60);
// The CPU window opens once the game has settled into play.
constexpr auto kCpuWindowOpens = seconds(20);
constexpr auto kCpuWindow = seconds(10);
constexpr auto kSteerEvery = milliseconds(500);
// A fresh run after "You Lose!" only fires after a press of its own.
constexpr auto kPressEvery = seconds(3);

double millisSince(Clock::time_point start)
{
    return duration<double, std::milli>(Clock::now() - start).count();
}

// Waits for the X connection to have something to read, at most `wait`.
void awaitEvents(Display* display, milliseconds wait)
{
    pollfd watched{ConnectionNumber(display), POLLIN, 0};
    if (XPending(display) == 0)
        poll(&watched, 1, static_cast<int>(wait.count()));
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

// The top-level window the game maps. The root's substructure must be watched from before the start.
Window waitForMappedWindow(Display* display, GameProcess& game)
{
    const Clock::time_point deadline = Clock::now() + kPatience;
    while (Clock::now() < deadline && game.running())
    {
        while (XPending(display) > 0)
        {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && windowPid(display, event.xmap.window) == game.pid())
                return event.xmap.window;
        }
        awaitEvents(display, milliseconds(5));
    }
    throw std::runtime_error("the game mapped no window within 30 s:\n" + game.output());
}

// The first frame is on the screen once the red close button in the bottom-right corner is.
bool showsCloseButton(Display* display, Window window)
{
    constexpr int kSide = 40;
    const std::vector<std::uint32_t> corner =
        captureWindow(display, window, kWindowWidth - kSide, kWindowHeight - kSide, kSide, kSide);
    const auto red = std::count_if(corner.begin(), corner.end(), [](std::uint32_t pixel) {
        const int r = static_cast<int>(pixel >> 16 & 0xFF);
        const int g = static_cast<int>(pixel >> 8 & 0xFF);
        const int b = static_cast<int>(pixel & 0xFF);
        return r >= 150 && r - g >= 80 && r - b >= 80;
    });
    return red >= 500; // most of the radius-20 disc
}

void waitForFirstFrame(Display* display, Window window, GameProcess& game)
{
    const Clock::time_point deadline = Clock::now() + kPatience;
    while (!showsCloseButton(display, window))
    {
        if (Clock::now() > deadline || !game.running())
            throw std::runtime_error("the game drew no first frame within 30 s:\n" + game.output());
        std::this_thread::sleep_for(kFirstFramePoll);
    }
}

// Counts frames reaching the window. Mesa's software GL presents a frame by putting the whole
// back buffer into the window, one damage report the window's size; the pointer's and other
// small reports are left out.
class FrameCounter
{
public:
    FrameCounter(Display* display, Window window) : _display(display)
    {
        int errorBase = 0;
        if (!XDamageQueryExtension(display, &_eventBase, &errorBase))
            throw std::runtime_error("the X server has no DAMAGE extension");
        _damage = XDamageCreate(display, window, XDamageReportRawRectangles);
    }
    ~FrameCounter() { XDamageDestroy(_display, _damage); }
    FrameCounter(const FrameCounter&) = delete;
    FrameCounter& operator=(const FrameCounter&) = delete;

    void readEvents()
    {
        while (XPending(_display) > 0)
        {
            XEvent event;
            XNextEvent(_display, &event);
            if (event.type != _eventBase + XDamageNotify)
                continue;
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            if (damage.area.width >= kWindowWidth && damage.area.height >= kWindowHeight)
                ++_frames;
        }
    }
    long frames() const { return _frames; }

private:
    Display* _display;
    Damage _damage = 0;
    int _eventBase = 0;
    long _frames = 0;
};

struct Startup
{
    double mappedMillis;
    double firstFrameMillis;
};

Startup measureStartup(Display* display, const std::string& executable)
{
    GameProcess game(executable);
    const Window window = waitForMappedWindow(display, game);
    const double mapped = millisSince(game.started());
    waitForFirstFrame(display, window, game);
    return {mapped, millisSince(game.started())};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void reportStartups(Display* display, const std::string& executable, char* summary, size_t summarySize)
{
    std::printf("Method: the clock starts just before the process is created and stops when a screenshot of the\n"
                "window (polled every %lld ms) first shows the frame's red close button; \"mapped\" is the X\n"
                "server's MapNotify for the game's window.\n\n",
                static_cast<long long>(kFirstFramePoll.count()));
    std::printf("%6s %18s %18s\n", "start", "window mapped ms", "first frame ms");
    std::vector<double> mapped;
    std::vector<double> first;
    for (int start = 1; start <= kStarts; ++start)
    {
        const Startup measured = measureStartup(display, executable);
        mapped.push_back(measured.mappedMillis);
        first.push_back(measured.firstFrameMillis);
        std::printf("%6d %18.0f %18.0f\n", start, measured.mappedMillis, measured.firstFrameMillis);
    }
    std::printf("%6s %18.0f %18.0f\n", "median", median(mapped), median(first));
    std::snprintf(summary, summarySize, "start-up to first frame %.0f ms (median of %d)", median(first), kStarts);
}

// A little play through XTest: the pointer wanders over the right of the window, steering the
// craft, with the fire button held.
class Player
{
public:
    explicit Player(Window window) : _window(std::to_string(window)) {}

    void steer()
    {
        std::uniform_int_distribution<int> height(120, kWindowHeight - 120);
        runCommand({"xdotool", "mousemove", "--window", _window, "520", std::to_string(height(_random))});
    }
    void pressAgain()
    {
        runCommand({"xdotool", "mouseup", "1"});
        runCommand({"xdotool", "mousedown", "1"});
    }

private:
    std::string _window;
    std::mt19937 _random{11};
};

void reportPlay(Display* display, const std::string& executable, pid_t xvfb, char* summary, size_t summarySize)
{
    GameProcess game(executable);
    const Window window = waitForMappedWindow(display, game);
    waitForFirstFrame(display, window, game);
    FrameCounter counter(display, window);
    Player player(window);

    const Clock::time_point start = Clock::now();
    Clock::time_point nextSteer = start;
    Clock::time_point nextPress = start;
    bool windowOpen = false;
    bool windowDone = false;
    double gameCpu = 0, xvfbCpu = 0, wall = 0;
    long frames = 0;
    Clock::time_point opened;
    while (Clock::now() - start < kPlay)
    {
        if (!game.running())
            throw std::runtime_error("the game stopped during play:\n" + game.output());
        const Clock::time_point now = Clock::now();
        if (now >= nextPress)
        {
            player.pressAgain();
            nextPress += kPressEvery;
        }
        if (now >= nextSteer)
        {
            player.steer();
            nextSteer += kSteerEvery;
        }
        counter.readEvents();
        if (!windowOpen && now - start >= kCpuWindowOpens)
        {
            windowOpen = true;
            opened = Clock::now();
            gameCpu = cpuSeconds(game.pid());
            xvfbCpu = xvfb > 0 ? cpuSeconds(xvfb) : 0;
            frames = counter.frames();
        }
        else if (windowOpen && !windowDone && now - opened >= kCpuWindow)
        {
            windowDone = true;
            XSync(display, False);
            counter.readEvents();
            wall = duration<double>(Clock::now() - opened).count();
            gameCpu = cpuSeconds(game.pid()) - gameCpu;
            xvfbCpu = xvfb > 0 ? cpuSeconds(xvfb) - xvfbCpu : -1;
            frames = counter.frames() - frames;
        }
        awaitEvents(display, milliseconds(10));
    }
    const long rss = statusKiB(game.pid(), "VmRSS");
    const long peak = statusKiB(game.pid(), "VmHWM");

    std::printf("\n-- memory: after %lld s of play (pointer steering every %lld ms, fire held, pressed again every "
                "%lld s)\n",
                static_cast<long long>(kPlay.count()), static_cast<long long>(kSteerEvery.count()),
                static_cast<long long>(kPressEvery.count()));
    std::printf("%-28s %10.1f MiB\n%-28s %10.1f MiB\n", "VmRSS (resident now)", rss / 1024.0, "VmHWM (resident peak)",
                peak / 1024.0);

    const double fps = frames / wall;
    std::printf("\n== 4. CPU share while playing at 60 fps: %.1f s from %lld s into play\n", wall,
                static_cast<long long>(kCpuWindowOpens.count()));
    std::printf("Frames are counted as whole-window DAMAGE reports on the X server (one per presented frame);\n"
                "CPU is utime+stime of all the game's threads from /proc/<pid>/stat (10 ms ticks).\n\n");
    std::printf("%-34s %10.1f %%  of one core (%.2f of %.1f s)\n", "game CPU share", 100 * gameCpu / wall, gameCpu,
                wall);
    std::printf("%-34s %10.2f ms\n", "game CPU per presented frame", 1000 * gameCpu / std::max(1L, frames));
    std::printf("%-34s %10ld\n%-34s %10.1f fps\n", "frames presented", frames, "frame rate", fps);
    if (xvfbCpu >= 0)
        std::printf("%-34s %10.1f %%  of one core (receiving the frames)\n", "Xvfb CPU share", 100 * xvfbCpu / wall);
    std::snprintf(summary, summarySize, "RSS after %llds of play %.1f MiB; CPU %.1f%% of one core at %.1f fps",
                  static_cast<long long>(kPlay.count()), rss / 1024.0, 100 * gameCpu / wall, fps);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--xvfb-pid") == 0))
    {
        std::fprintf(stderr, "usage: %s SKYVANE_EXECUTABLE [--xvfb-pid PID]\n", argv[0]);
        return 2;
    }
    char* resolved = realpath(argv[1], nullptr);
    if (resolved == nullptr)
    {
        std::fprintf(stderr, "play_probe: %s: no such executable\n", argv[1]);
        return 2;
    }
    const std::string executable = resolved;
    std::free(resolved);
    const pid_t xvfb = argc == 4 ? static_cast<pid_t>(std::atol(argv[3])) : -1;

    DisplayHandle display = openDisplay();
    if (!display)
    {
        std::fprintf(stderr, "play_probe: cannot open the X display \"%s\"\n", XDisplayName(nullptr));
        return 2;
    }
    XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);

    char startup[128];
    char play[160];
    try
    {
        std::printf("== 3. Start-up and memory of %s\n", executable.c_str());
        reportStartups(display.get(), executable, startup, sizeof startup);
        reportPlay(display.get(), executable, xvfb, play, sizeof play);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "play_probe: %s\n", error.what());
        return 1;
    }
    std::printf("summary: %s; %s\n", startup, play);
    return 0;
}
