#pragma once

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// Writes one line to stderr; the engine's only diagnostic channel.
void log(const char* format, ...) CC_FORMAT_PRINTF(1, 2);

// Logs "title: msg"; on Windows the message also shows in a box the user must close.
void MessageBox(const char* msg, const char* title);

NS_CC_END
