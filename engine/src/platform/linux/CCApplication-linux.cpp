#include "platform/CCApplication.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/CCConsole.h"
#include "platform/CCFramePacer.h"
#include "platform/desktop/CCRunLoop.h"

extern char** environ;

NS_CC_BEGIN

int Application::run()
{
    // steady_clock and sleep_until are precise enough here; the pacer's defaults use them.
    FramePacer pacer;
    return runDesktopLoop(*this, pacer);
}

ApplicationProtocol::Platform Application::getTargetPlatform()
{
    return Platform::OS_LINUX;
}

bool Application::openURL(const std::string& url)
{
    // xdg-open would read a leading '-' as an option of its own.
    if (url.empty() || url.front() == '-' || url.find('\0') != std::string::npos)
    {
        log("openURL: \"%s\" is not a URL that can be opened", url.c_str());
        return false;
    }

    // Spawned without a shell: the URL reaches xdg-open as one argument, whatever it contains.
    std::string program = "xdg-open";
    std::string argument = url;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    const int spawnError = posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ);
    if (spawnError != 0)
    {
        log("openURL: can't run xdg-open: %s", std::strerror(spawnError));
        return false;
    }

    int status = 0;
    while (waitpid(child, &status, 0) < 0)
    {
        if (errno != EINTR)
        {
            log("openURL: lost track of xdg-open: %s", std::strerror(errno));
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

NS_CC_END
