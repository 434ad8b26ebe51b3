#include "platform/CCSystemFont.h"

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

} // namespace

std::string platform::matchFontFamily(const std::string& familyName)
{
    // fontconfig loads its configuration once and keeps it for the process.
    static const bool ready = FcInit() == FcTrue;
    if (!ready)
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
    FcConfigSubstitute(nullptr, request.get(), FcMatchPattern);
    FcDefaultSubstitute(request.get());

    // fontconfig answers an unknown family with its closest face, ending at the default sans.
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, request.get(), &result));
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file)
    {
        log("No installed font matches '%s'", family.c_str());
        return {};
    }
    return reinterpret_cast<const char*>(file);
}

NS_CC_END
