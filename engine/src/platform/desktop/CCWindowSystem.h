#pragma once

#include "base/CCPlatformMacros.h"

struct GLFWwindow;

NS_CC_BEGIN

// What the window systems do differently to a GLFW window: platform/linux/CCWindowSystem-linux.cpp
// (X11), platform/win32/CCWindowSystem-win32.cpp.
namespace windowsystem {

// Asks for the window to be shown and returns at once. A desktop may keep a new window hidden
// (started minimised, on another workspace, a window manager that stopped) for as long as it
// likes, and the run loop must go on meanwhile.
void show(GLFWwindow* window);

// Whether the player can see the window: shown, not minimised, not hidden by the desktop.
bool isShown(GLFWwindow* window);

// From now on an error of the window system (the window destroyed by another program) ends
// the program with one line on stderr and exit code 1.
void reportErrorsInOneLine();

} // namespace windowsystem

NS_CC_END
