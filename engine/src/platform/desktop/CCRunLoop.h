#pragma once

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

class Application;
class FramePacer;

// The desktop main loop behind every platform's Application::run(): launches the
// application, runs its frames paced by `pacer` until the window closes, and returns the
// process's exit code. Each platform brings the pacer its clock and sleep call need.
int runDesktopLoop(Application& application, FramePacer& pacer);

NS_CC_END
