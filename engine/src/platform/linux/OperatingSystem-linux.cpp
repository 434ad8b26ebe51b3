#include "internal/OperatingSystem.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>
#include <link.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "base/CCConsole.h"

NS_CC_BEGIN

namespace {

struct PatternDeleter
{
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

struct ConfigDeleter
{
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};

// The font configuration is read once, on first use, and freed at exit.
FcConfig* fontConfig()
{
    static const std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
    return config.get();
}

} // namespace

std::string platform::matchFontFamily(const std::string& familyName)
{
    FcConfig* config = fontConfig();
    if (!config)
    {
        log("fontconfig could not be initialised; no system fonts are available");
        return {};
    }

    Pattern request(FcPatternCreate());
    if (!request)
        return {};
    const std::string family = familyName.empty() ? "sans-serif" : familyName;
    FcPatternAddString(request.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddBool(request.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, request.get(), FcMatchPattern);
    FcDefaultSubstitute(request.get());

    // fontconfig answers an unknown family with its closest face, ending at the default sans.
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(config, request.get(), &result));
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file)
    {
        return {};
    }
    return reinterpret_cast<const char*>(file);
}

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
