#pragma once

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// How many engine objects (every Ref) are alive: tests and soaks prove with it that nothing
// leaks from one run into the next.
long liveObjectCount();

NS_CC_END
