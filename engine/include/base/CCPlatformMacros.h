#pragma once

#include "base/CCPlatformConfig.h"

#include <sys/types.h>

#define NS_CC_BEGIN namespace cocos2d {
#define NS_CC_END }
#define USING_NS_CC using namespace cocos2d
#define NS_CC ::cocos2d

#define CC_DLL
#define CC_CONSTRUCTOR_ACCESS public

// The engine marks deprecated API; our layer keeps it quiet so game builds stay warning-free.
#define CC_DEPRECATED_ATTRIBUTE

#if defined(__GNUC__)
#define CC_REQUIRES_NULL_TERMINATION __attribute__((sentinel))
#if defined(__MINGW32__)
// MinGW-w64's C++ stdio is its C99 one (%zu, %lld), which plain "printf" would check as msvcrt's.
#define CC_FORMAT_PRINTF(formatPos, argPos) __attribute__((format(gnu_printf, formatPos, argPos)))
#else
#define CC_FORMAT_PRINTF(formatPos, argPos) __attribute__((format(printf, formatPos, argPos)))
#endif
#else
#define CC_REQUIRES_NULL_TERMINATION
#define CC_FORMAT_PRINTF(formatPos, argPos)
#endif

// One line each, as the engine writes them.
// clang-format off
#define CC_SAFE_RELEASE(p) do { if (p) { (p)->release(); } } while (0)
#define CC_SAFE_RELEASE_NULL(p) do { if (p) { (p)->release(); (p) = nullptr; } } while (0)
#define CC_SAFE_RETAIN(p) do { if (p) { (p)->retain(); } } while (0)

#define CC_CALLBACK_1(__selector__, __target__, ...) std::bind(&__selector__, __target__, std::placeholders::_1, ##__VA_ARGS__)
#define CC_CALLBACK_2(__selector__, __target__, ...) std::bind(&__selector__, __target__, std::placeholders::_1, std::placeholders::_2, ##__VA_ARGS__)
// clang-format on

#define CREATE_FUNC(__TYPE__)                                                                                          \
    static __TYPE__* create()                                                                                          \
    {                                                                                                                  \
        __TYPE__* pRet = new (std::nothrow) __TYPE__();                                                                \
        if (pRet && pRet->init())                                                                                      \
        {                                                                                                              \
            pRet->autorelease();                                                                                       \
            return pRet;                                                                                               \
        }                                                                                                              \
        delete pRet;                                                                                                   \
        return nullptr;                                                                                                \
    }
