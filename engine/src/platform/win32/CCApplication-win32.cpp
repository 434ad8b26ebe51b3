#include "platform/CCApplication.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <chrono>

#include "base/CCConsole.h"
#include "platform/CCFramePacer.h"
#include "platform/desktop/CCRunLoop.h"
#include "platform/win32/CCUnicode-win32.h"

NS_CC_BEGIN

namespace {

// Sleep otherwise rounds up to the 15.6 ms system tick: a whole frame at 60 fps.
class OneMillisecondTimer
{
public:
    OneMillisecondTimer() : _active(timeBeginPeriod(1) == TIMERR_NOERROR) {}
    ~OneMillisecondTimer()
    {
        if (_active)
            timeEndPeriod(1);
    }
    OneMillisecondTimer(const OneMillisecondTimer&) = delete;
    OneMillisecondTimer& operator=(const OneMillisecondTimer&) = delete;

private:
    bool _active;
};

// Sleep takes whole milliseconds. Rounding up wakes at most a millisecond late, which the
// pacer's absolute deadlines absorb without drift; rounding down would wake early and spin.
void sleepUntil(FramePacer::TimePoint deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() > 0)
        Sleep(static_cast<DWORD>(left.count()));
}

} // namespace

int Application::run()
{
    const OneMillisecondTimer timer;
    // MinGW-w64's steady_clock reads QueryPerformanceCounter.
    FramePacer pacer(std::chrono::steady_clock::now, sleepUntil);
    return runDesktopLoop(*this, pacer);
}

ApplicationProtocol::Platform Application::getTargetPlatform()
{
    return Platform::OS_WINDOWS;
}

bool Application::openURL(const std::string& url)
{
    const std::wstring wideUrl = win32::toUtf16(url);
    if (wideUrl.empty() || wideUrl.find(L'\0') != std::wstring::npos)
    {
        log("openURL: \"%s\" is not a URL that can be opened", url.c_str());
        return false;
    }
    // Values above 32 mean success; the rest are SE_ERR_ codes.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wideUrl.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
    {
        log("openURL: Windows could not open \"%s\" (code %lld)", url.c_str(), static_cast<long long>(result));
        return false;
    }
    return true;
}

NS_CC_END
