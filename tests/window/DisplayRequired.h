#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

// The test command sets SKYVANE_REQUIRE_DISPLAY once its X server is up. From then on a check
// that finds no display or no GL fails instead of skipping: a check that did not run proves
// nothing, and a skip would hide the broken set-up.
inline bool displayRequired()
{
    const char* required = std::getenv("SKYVANE_REQUIRE_DISPLAY");
    return required != nullptr && std::strcmp(required, "1") == 0;
}

#define SKIP_OR_FAIL_WITHOUT_DISPLAY(why)                                                                              \
    do                                                                                                                 \
    {                                                                                                                  \
        if (displayRequired())                                                                                         \
            GTEST_FAIL() << why << " (SKYVANE_REQUIRE_DISPLAY=1)";                                                     \
        else                                                                                                           \
            GTEST_SKIP() << why;                                                                                       \
    } while (0)
