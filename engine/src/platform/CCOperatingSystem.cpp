#include "internal/OperatingSystem.h"

#include "platform/CCPathNames.h"

NS_CC_BEGIN

namespace platform {

std::string executableDirectory()
{
    return pathnames::directoryOf(executablePath());
}

std::string executableName()
{
    return pathnames::stemOf(executablePath());
}

std::string writableDirectory()
{
    const std::string settings = userSettingsDirectory();
    // Without one, beside the executable is the one place the game knows.
    return (settings.empty() ? executableDirectory() : settings + "/") + executableName() + "/";
}

} // namespace platform

NS_CC_END
