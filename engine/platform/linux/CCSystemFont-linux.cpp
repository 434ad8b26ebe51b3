#include "internal/OperatingSystem.h"

#include <memory>

#include <fontconfig/fontconfig.h>

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

NS_CC_END
