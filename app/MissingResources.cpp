#include "MissingResources.h"

#include "cocos2d.h"

USING_NS_CC;

namespace {
bool resourcesWentMissing = false;
}

void reportMissingResources()
{
    resourcesWentMissing = true;
    const bool onWindows = Application::getInstance()->getTargetPlatform() == ApplicationProtocol::Platform::OS_WINDOWS;
    // Run from inside the zip, the program has no Resources folder beside it.
    const char* message =
        onWindows ? "Skyvane's pictures and fonts could not be loaded: the Resources folder beside skyvane.exe is "
                    "missing or damaged. Unzip the whole folder and run skyvane.exe there."
                  : "Skyvane's pictures and fonts could not be loaded: the Resources folder beside the program is "
                    "missing or damaged. Build the game again with ./skyvane play.";
    // Titled as the window, as the engine titles its own messages.
    MessageBox(message, "My Game");
}

int exitCodeAfter(int runExitCode)
{
    return resourcesWentMissing ? 1 : runExitCode;
}
