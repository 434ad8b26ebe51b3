#include "platform/CCApplication.h"

#include <cstring>

#include "base/ccMacros.h"
#include "internal/OperatingSystem.h"

NS_CC_BEGIN

namespace {

struct LanguageCode
{
    const char* code;
    LanguageType language;
};

// ISO 639-1 codes; Norwegian goes by its Bokmål and Nynorsk codes as well.
constexpr LanguageCode kLanguages[] = {
    {"en", LanguageType::ENGLISH},    {"zh", LanguageType::CHINESE},   {"fr", LanguageType::FRENCH},
    {"it", LanguageType::ITALIAN},    {"de", LanguageType::GERMAN},    {"es", LanguageType::SPANISH},
    {"nl", LanguageType::DUTCH},      {"ru", LanguageType::RUSSIAN},   {"ko", LanguageType::KOREAN},
    {"ja", LanguageType::JAPANESE},   {"hu", LanguageType::HUNGARIAN}, {"pt", LanguageType::PORTUGUESE},
    {"ar", LanguageType::ARABIC},     {"nb", LanguageType::NORWEGIAN}, {"nn", LanguageType::NORWEGIAN},
    {"no", LanguageType::NORWEGIAN},  {"pl", LanguageType::POLISH},    {"tr", LanguageType::TURKISH},
    {"uk", LanguageType::UKRAINIAN},  {"ro", LanguageType::ROMANIAN},  {"bg", LanguageType::BULGARIAN},
    {"be", LanguageType::BELARUSIAN},
};

} // namespace

Application* Application::sm_pSharedApplication = nullptr;

Application::Application()
{
    CCASSERT(sm_pSharedApplication == nullptr, "there is one Application per process");
    sm_pSharedApplication = this;
}

Application::~Application()
{
    if (sm_pSharedApplication == this)
    {
        sm_pSharedApplication = nullptr;
    }
}

Application* Application::getInstance()
{
    CCASSERT(sm_pSharedApplication != nullptr, "no Application has been created");
    return sm_pSharedApplication;
}

const char* Application::getCurrentLanguageCode()
{
    static std::string code;
    code = languageCodeOfLocale(platform::userLocale().c_str());
    return code.c_str();
}

LanguageType Application::getCurrentLanguage()
{
    const char* code = getCurrentLanguageCode();
    for (const LanguageCode& entry : kLanguages)
    {
        if (std::strcmp(entry.code, code) == 0)
        {
            return entry.language;
        }
    }
    return LanguageType::ENGLISH;
}

void Application::setAnimationInterval(float interval)
{
    _animationInterval = interval;
}

std::string Application::getVersion()
{
    return "";
}

NS_CC_END
