#include "internal/OperatingSystem.h"

#include <dlfcn.h>
#include <link.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/CCConsole.h"

NS_CC_BEGIN

namespace {

// The running program's full path, or "" when /proc is not there to ask.
std::string pathFromProc()
{
    std::vector<char> buffer(256);
    for (;;)
    {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
        {
            log("Can't find the executable through /proc/self/exe: %s", std::strerror(errno));
            return "";
        }
        if (static_cast<size_t>(length) < buffer.size())
        {
            return std::string(buffer.data(), static_cast<size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
    {
        path.pop_back();
    }
    return path;
}

std::string homeDirectory()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
    {
        return home;
    }
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

} // namespace

namespace platform {

std::string executablePath()
{
    const std::string path = pathFromProc();
    return path.empty() ? program_invocation_short_name : path;
}

// XDG asks for an absolute $XDG_CONFIG_HOME and ~/.config otherwise.
std::string userSettingsDirectory()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && configHome[0] == '/')
    {
        return withoutTrailingSlashes(configHome);
    }
    return withoutTrailingSlashes(homeDirectory()) + "/.config";
}

bool isRegularFile(const std::string& path)
{
    struct stat status;
    return !path.empty() && stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string userLocale()
{
    const char* locale = std::getenv("LANG");
    return locale ? locale : "";
}

void keepGLDriverLoaded()
{
    // Whatever is mapped now includes the driver and what it pulled in. Pinning the libraries
    // the program started with changes nothing: they are never unloaded anyway.
    std::vector<std::string> loaded;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* names) {
            if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0')
                static_cast<std::vector<std::string>*>(names)->emplace_back(info->dlpi_name);
            return 0;
        },
        &loaded);
    for (const std::string& name : loaded)
    {
        // RTLD_NOLOAD takes a reference on the mapped library only; RTLD_NODELETE keeps it
        // mapped through every dlclose. The reference is meant to live until exit.
        dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}

void showMessageBox(const std::string&, const std::string&)
{
}

} // namespace platform

NS_CC_END
