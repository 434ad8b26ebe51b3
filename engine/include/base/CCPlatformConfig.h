#pragma once

// 3.17's ids of the two platforms this layer builds for; the others have no backend here.
#define CC_PLATFORM_WIN32 3
#define CC_PLATFORM_LINUX 5

#if defined(LINUX) && !defined(__APPLE__)
#define CC_TARGET_PLATFORM CC_PLATFORM_LINUX
#elif defined(_WIN32) && defined(_WINDOWS)
#define CC_TARGET_PLATFORM CC_PLATFORM_WIN32
#else
#error "Cannot recognize the target platform: define LINUX, or _WIN32 with _WINDOWS."
#endif
