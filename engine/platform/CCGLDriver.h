#pragma once

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

namespace platform {

// The view calls this once its GL context is current. The GL driver that the window system
// loaded for it then stays mapped until the process exits, even after the last window is
// gone: LeakSanitizer can neither follow nor name memory of a library unloaded before its
// report, and would blame the driver's caches on whoever made the context.
void keepGLDriverLoaded();

} // namespace platform

NS_CC_END
