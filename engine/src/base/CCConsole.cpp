#include "base/CCConsole.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "internal/OperatingSystem.h"

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
    const std::string text = msg ? msg : "";
    const std::string caption = title ? title : "";
    log("%s: %s", caption.c_str(), text.c_str());
    platform::showMessageBox(text, caption);
}

NS_CC_END
