// The floor: the least a window like the game's can cost. A bare GLFW window with the game's
// size and GL attributes that clears and presents at 60 fps on absolute deadlines. A red square
// stands where the game's close button does, so the probe sees its first frame the same way.
#include <GLFW/glfw3.h>

#include <cstdio>

#include "platform/CCFramePacer.h"

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 640;
constexpr int kCloseButtonSide = 40;

void clearRect(int left, int bottom, int width, int height, float red)
{
    glScissor(left, bottom, width, height);
    glClearColor(red, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

} // namespace

int main()
{
    if (glfwInit() != GLFW_TRUE)
    {
        std::fprintf(stderr, "floor_window: GLFW could not be initialised\n");
        return 1;
    }
    // The game's attributes (app/AppDelegate.cpp) and window hints (CCGLViewImpl-desktop.cpp).
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    glfwWindowHint(GLFW_RED_BITS, 8);
    glfwWindowHint(GLFW_GREEN_BITS, 8);
    glfwWindowHint(GLFW_BLUE_BITS, 8);
    glfwWindowHint(GLFW_ALPHA_BITS, 8);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 8);
    glfwWindowHint(GLFW_SAMPLES, 0);
    GLFWwindow* window = glfwCreateWindow(kWidth, kHeight, "floor", nullptr, nullptr);
    if (window == nullptr)
    {
        std::fprintf(stderr, "floor_window: no window\n");
        glfwTerminate();
        return 1;
    }
    glfwMakeContextCurrent(window);
    glfwSwapInterval(0);
    glEnable(GL_SCISSOR_TEST);

    cocos2d::FramePacer pacer;
    while (glfwWindowShouldClose(window) != GLFW_TRUE)
    {
        pacer.waitForNextFrame(1.0 / 60.0);
        glfwPollEvents();
        clearRect(0, 0, kWidth, kHeight, 0.0f);
        clearRect(kWidth - kCloseButtonSide, 0, kCloseButtonSide, kCloseButtonSide, 1.0f);
        glfwSwapBuffers(window);
    }
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}
