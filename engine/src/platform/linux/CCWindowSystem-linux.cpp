#include "platform/desktop/CCWindowSystem.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

#include <cstdio>
#include <cstdlib>

NS_CC_BEGIN

namespace {

int reportAndExit(Display* display, XErrorEvent* error)
{
    char description[160] = {};
    XGetErrorText(display, error->error_code, description, sizeof description);
    std::fprintf(stderr,
                 "The window system refused a request for the game's window (%s, request %d); it may have "
                 "been closed by another program.\n",
                 description, error->request_code);
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

namespace windowsystem {

void show(GLFWwindow* window)
{
    // glfwShowWindow waits for the window to become visible, and its wait spins for as long as
    // other events are queued: with the window kept hidden, forever.
    XMapWindow(glfwGetX11Display(), glfwGetX11Window(window));
    XFlush(glfwGetX11Display());
}

bool isShown(GLFWwindow* window)
{
    // Viewability is the server's word. WM_STATE, which GLFW reads for iconified, is the window
    // manager's, and stays Iconic when the window manager dies while the window is minimised.
    XWindowAttributes attributes;
    return XGetWindowAttributes(glfwGetX11Display(), glfwGetX11Window(window), &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

void reportErrorsInOneLine()
{
    // Xlib's default handler prints five lines of protocol detail before it exits.
    XSetErrorHandler(reportAndExit);
}

} // namespace windowsystem

NS_CC_END
