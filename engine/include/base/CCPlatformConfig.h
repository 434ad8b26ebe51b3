#pragma once

#define CC_PLATFORM_UNKNOWN 0
#define CC_PLATFORM_IOS 1
#define CC_PLATFORM_ANDROID 2
#define CC_PLATFORM_WIN32 3
#define CC_PLATFORM_MARMALADE 4
#define CC_PLATFORM_LINUX 5
#define CC_PLATFORM_BADA 6
#define CC_PLATFORM_BLACKBERRY 7
#define CC_PLATFORM_MAC 8
#define CC_PLATFORM_NACL 9
#define CC_PLATFORM_EMSCRIPTEN 10
#define CC_PLATFORM_TIZEN 11
#define CC_PLATFORM_QT5 12
#define CC_PLATFORM_WINRT 13

#if defined(LINUX) && !defined(__APPLE__)
#define CC_TARGET_PLATFORM CC_PLATFORM_LINUX
#elif defined(_WIN32) && defined(_WINDOWS)
#define CC_TARGET_PLATFORM CC_PLATFORM_WIN32
#else
#error "Cannot recognize the target platform: define LINUX, or _WIN32 with _WINDOWS."
#endif
