#include "platform/CCApplication.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "platform/CCFramePacer.h"
#include "platform/CCGLView.h"

extern char** environ;

NS_CC_BEGIN

namespace {

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "de_DE.UTF-8" gives "de". Locales without a two-letter language ("C", "POSIX", "C.UTF-8")
// fall back to English.
std::string languageCodeOfLocale(const char* locale)
{
    if (!locale)
    {
        return "en";
    }
    const size_t languageLength = std::strcspn(locale, "_.@");
    if (languageLength != 2 || !isAsciiLetter(locale[0]) || !isAsciiLetter(locale[1]))
    {
        return "en";
    }
    return {static_cast<char>(std::tolower(static_cast<unsigned char>(locale[0]))),
            static_cast<char>(std::tolower(static_cast<unsigned char>(locale[1])))};
}

} // namespace

int Application::run()
{
    initGLContextAttrs();
    // A launch that failed is reported as a failure, not as a clean exit.
    if (!applicationDidFinishLaunching())
    {
        return 1;
    }

    Director* director = Director::getInstance();
    GLView* glview = director->getOpenGLView();
    if (!glview)
    {
        // The view has already said why it could not open.
        return 1;
    }
    glview->retain();

    // mainLoop polls the window's events itself, inside drawScene. Pacing comes first so the
    // interval a frame sets (pause, setAnimationInterval) governs the wait that follows it,
    // and the Director is never touched after a purge, which also closes the window.
    FramePacer pacer;
    while (!glview->windowShouldClose())
    {
        pacer.waitForNextFrame(director->getAnimationInterval());
        director->mainLoop();
    }

    if (glview->isOpenGLReady())
    {
        // The user closed the window: shut the Director down the way end() would.
        director->end();
        director->mainLoop();
    }
    glview->release();
    return 0;
}

void Application::setAnimationInterval(float)
{
    // The run loop reads the Director's own double interval before every frame.
}

const char* Application::getCurrentLanguageCode()
{
    static std::string code;
    code = languageCodeOfLocale(std::getenv("LANG"));
    return code.c_str();
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
