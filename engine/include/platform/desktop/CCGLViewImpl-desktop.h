#pragma once

#include <memory>
#include <string>

#include "platform/CCGLView.h"

// The game never needs GLFW's header; the window stays an opaque handle.
struct GLFWwindow;

NS_CC_BEGIN

class MouseInput;

// The desktop window: a GLFW window with its OpenGL context, whose mouse input reaches the
// scene as touches and EventMouse events while the Director polls events.
class GLViewImpl : public GLView
{
public:
    static GLViewImpl* create(const std::string& viewName);
    static GLViewImpl* create(const std::string& viewName, bool resizable);
    static GLViewImpl* createWithRect(const std::string& viewName, Rect size, float frameZoomFactor = 1.0f,
                                      bool resizable = false);
    static GLViewImpl* createWithFullScreen(const std::string& viewName);

    GLFWwindow* getWindow() const { return _window.get(); }
    // Leaves full screen (or resizes the window) for a window of the given size, centred on its monitor.
    void setWindowed(int width, int height);

    void end() override;
    bool isOpenGLReady() override { return _window != nullptr; }
    void swapBuffers() override;
    // Desktops type on a real keyboard: there is no on-screen keyboard to show.
    void setIMEKeyboardState(bool) override {}
    bool windowShouldClose() override;
    void pollEvents() override;
    Rect getFrameRectInPixels() const override;
    // Resizes the window as well.
    void setFrameSize(float width, float height) override;

    CC_CONSTRUCTOR_ACCESS : GLViewImpl();
    ~GLViewImpl() override;

    bool initWithRect(const std::string& viewName, Rect rect, float frameZoomFactor, bool resizable);
    bool initWithFullScreen(const std::string& viewName);

private:
    struct WindowDeleter
    {
        void operator()(GLFWwindow* window) const;
    };

    bool openWindow(const std::string& viewName, Size size, bool resizable, bool fullScreen);
    bool failToOpen(const std::string& cause);
    void installCallbacks();
    // Where the frame is drawn, in window units with the origin at the top left.
    Rect frameInWindow() const;
    Vec2 windowToFrame(double x, double y) const;

    void onMouseButton(int button, int action);
    void onCursorMoved(double x, double y);
    void onScroll(double xOffset, double yOffset);
    void onWindowResized(int width, int height);
    void onFramebufferResized(int width, int height);
    // Pauses the game while the player cannot see the window, for whatever reason.
    void showOrHide(bool shown);
    // The room for windows on the primary monitor, panels and task bar left out; empty when
    // the system cannot say.
    Size workArea() const;
    // A window larger than the screen's work area keeps its frame out of reach.
    void fitIntoWorkArea();

    bool _glfwReady = false;
    std::string _glfwInitError;
    std::unique_ptr<GLFWwindow, WindowDeleter> _window;
    float _frameZoomFactor = 1.0f;
    Size _windowSize;
    Size _framebufferSize;
    bool _showRequested = false;
    bool _shown = true;
    bool _fittedToWorkArea = false;
    std::unique_ptr<MouseInput> _mouse;
};

NS_CC_END
