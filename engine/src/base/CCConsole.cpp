#include "base/CCConsole.h"

#include <cstdarg>
#include <cstdio>

NS_CC_BEGIN

void log(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void MessageBox(const char* msg, const char* title)
{
    log("%s: %s", title, msg);
}

NS_CC_END
