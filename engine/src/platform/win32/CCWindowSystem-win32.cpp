#include "platform/desktop/CCWindowSystem.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

NS_CC_BEGIN

namespace windowsystem {

void show(GLFWwindow* window)
{
    // ShowWindow returns at once on Windows.
    glfwShowWindow(window);
}

bool isShown(GLFWwindow* window)
{
    // A minimised window is still visible to Windows; only the iconic flag tells.
    return glfwGetWindowAttrib(window, GLFW_VISIBLE) == GLFW_TRUE &&
           glfwGetWindowAttrib(window, GLFW_ICONIFIED) == GLFW_FALSE;
}

void reportErrorsInOneLine()
{
    // Windows reports a lost window through the close message GLFW already turns into a close.
}

} // namespace windowsystem

NS_CC_END
