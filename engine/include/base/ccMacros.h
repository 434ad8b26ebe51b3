#pragma once

#include <climits>
#include <cstdlib>
#include <functional>
#include <new>

#include "base/CCConsole.h"
#include "base/CCPlatformMacros.h"
#include "base/ccConfig.h"

#define CC_REPEAT_FOREVER (UINT_MAX - 1)

#ifndef COCOS2D_DEBUG
#define COCOS2D_DEBUG 0
#endif

#if COCOS2D_DEBUG >= 1
#define CCLOG(format, ...) cocos2d::log(format, ##__VA_ARGS__)
#else
#define CCLOG(...)                                                                                                     \
    do                                                                                                                 \
    {                                                                                                                  \
    } while (0)
#endif

#if COCOS2D_DEBUG > 0
#define CCASSERT(cond, msg)                                                                                            \
    do                                                                                                                 \
    {                                                                                                                  \
        if (!(cond))                                                                                                   \
        {                                                                                                              \
            cocos2d::log("Assert failed at %s:%d: %s (%s)", __FILE__, __LINE__, msg, #cond);                           \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)
#else
#define CCASSERT(cond, msg)                                                                                            \
    do                                                                                                                 \
    {                                                                                                                  \
        (void)sizeof(cond);                                                                                            \
    } while (0)
#endif
#define CC_ASSERT(cond) CCASSERT(cond, #cond)
