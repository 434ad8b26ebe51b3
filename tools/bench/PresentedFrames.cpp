#include "PresentedFrames.h"

#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {
constexpr int kIdleWaitMillis = 50;
constexpr double kLongFrameMillis = 25.0;
} // namespace

PresentedFrames::PresentedFrames(Window window, int width, int height)
    : _display(openDisplay()), _width(width), _height(height)
{
    if (!_display)
        throw std::runtime_error("cannot open a second connection to the X server");
    int eventBase = 0;
    int errorBase = 0;
    if (!XDamageQueryExtension(_display.get(), &eventBase, &errorBase))
        throw std::runtime_error("the X server has no DAMAGE extension");
    _damage = XDamageCreate(_display.get(), window, XDamageReportRawRectangles);
    XSync(_display.get(), False);
    _watcher = std::thread([this, eventBase] { watch(eventBase); });
}

PresentedFrames::~PresentedFrames()
{
    _stop = true;
    _watcher.join();
    XDamageDestroy(_display.get(), _damage);
}

void PresentedFrames::watch(int eventBase)
{
    Display* display = _display.get();
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (!_stop)
    {
        if (XPending(display) == 0)
        {
            poll(&connection, 1, kIdleWaitMillis);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != eventBase + XDamageNotify)
            continue;
        const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
        if (damage.area.width >= _width && damage.area.height >= _height)
        {
            const Clock::time_point now = Clock::now();
            std::lock_guard<std::mutex> hold(_lock);
            _stamps.push_back(now);
        }
    }
}

long PresentedFrames::count() const
{
    std::lock_guard<std::mutex> hold(_lock);
    return static_cast<long>(_stamps.size());
}

std::vector<PresentedFrames::Clock::time_point> PresentedFrames::stamps() const
{
    std::lock_guard<std::mutex> hold(_lock);
    return _stamps;
}

namespace {

double millisBetween(PresentedFrames::Clock::time_point from, PresentedFrames::Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

} // namespace

IntervalFigures summarise(const std::vector<PresentedFrames::Clock::time_point>& stamps)
{
    IntervalFigures figures;
    std::vector<double> millis;
    for (size_t i = 1; i < stamps.size(); ++i)
        millis.push_back(millisBetween(stamps[i - 1], stamps[i]));
    if (millis.empty())
        return figures;
    std::sort(millis.begin(), millis.end());
    // Nearest rank: the smallest interval at least that share of all intervals do not exceed.
    auto percentile = [&millis](double share) {
        const auto rank = static_cast<size_t>(std::ceil(share * static_cast<double>(millis.size())));
        return millis[std::clamp<size_t>(rank, 1, millis.size()) - 1];
    };
    figures.intervals = millis.size();
    figures.p50 = percentile(0.50);
    figures.p99 = percentile(0.99);
    figures.max = millis.back();
    figures.over25 = std::count_if(millis.begin(), millis.end(), [](double m) { return m > kLongFrameMillis; });
    return figures;
}

long longIntervalsNear(const std::vector<PresentedFrames::Clock::time_point>& stamps,
                       const std::vector<PresentedFrames::Clock::time_point>& moments)
{
    long near = 0;
    for (size_t i = 1; i < stamps.size(); ++i)
    {
        if (millisBetween(stamps[i - 1], stamps[i]) <= kLongFrameMillis)
            continue;
        near += std::any_of(moments.begin(), moments.end(), [&](PresentedFrames::Clock::time_point moment) {
            const double after = millisBetween(moment, stamps[i]);
            return after >= -500 && after <= 1000;
        });
    }
    return near;
}
