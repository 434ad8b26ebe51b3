#include "internal/OperatingSystem.h"

#include <gtest/gtest.h>

USING_NS_CC;

// POSIX names reach this through $LANG (application_linux_test); these are the Windows forms.
TEST(LocaleName, GivesTheLanguageOfAWindowsLocaleName)
{
    const struct
    {
        const char* locale;
        const char* code;
    } cases[] = {
        {"de-DE", "de"},
        {"zh-Hans-CN", "zh"},
        {"NB-no", "nb"},
        {"uk", "uk"},
        // No two-letter language: Filipino has only a three-letter code; the invariant locale is "".
        {"fil-PH", "en"},
        {"", "en"},
        {"1a-XX", "en"},
        {"-DE", "en"},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(languageCodeOfLocale(entry.locale), entry.code) << entry.locale;
}
