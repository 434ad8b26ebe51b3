#include "platform/desktop/CCGLViewImpl-desktop.h"
#include "internal/GLContext.h"
#include "internal/OperatingSystem.h"
#include "internal/QuadProgram.h"
#include "platform/desktop/CCMouseInput.h"
#include "platform/desktop/CCWindowFit.h"
#include "platform/desktop/CCWindowSystem.h"

#include <glad/gl.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/CCAutoreleased.h"
#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "base/CCEventDispatcher.h"
#include "platform/CCApplication.h"

NS_CC_BEGIN

namespace {

const Size kDefaultWindowSize(960.0f, 640.0f);
// X11 keeps window sizes in 16-bit fields.
constexpr float kLargestWindowSide = 32767.0f;
constexpr int kOldestUsableGL = 200; // major * 100 + minor: the renderer draws with shaders
const char* const kDriverAdvice = "Update the graphics driver; in a virtual machine or a remote desktop, turn on "
                                  "its 3-D acceleration.";

// GLFW reports errors through one process-wide callback. While a capture is alive the first
// error is kept as the cause its owner reports in one line; other errors are logged at once.
class GlfwErrorCapture
{
public:
    GlfwErrorCapture() : _outer(active()) { active() = this; }
    ~GlfwErrorCapture() { active() = _outer; }
    GlfwErrorCapture(const GlfwErrorCapture&) = delete;
    GlfwErrorCapture& operator=(const GlfwErrorCapture&) = delete;

    std::string causeOr(const char* fallback) const { return _first.empty() ? fallback : _first; }

    static void onError(int /*code*/, const char* description)
    {
        const char* text = description ? description : "unknown error";
        if (GlfwErrorCapture* capture = active())
        {
            if (capture->_first.empty())
            {
                capture->_first = text;
            }
        }
        else
        {
            log("GLFW: %s", text);
        }
    }

private:
    static GlfwErrorCapture*& active()
    {
        static GlfwErrorCapture* current = nullptr;
        return current;
    }

    GlfwErrorCapture* _outer;
    std::string _first;
};

// GLFW is one library per process: the last view alive shuts it down, so a second view
// never loses its window to the first one's destructor.
int viewsUsingGlfw = 0;
// The GL state (gl::contextMade, gl::contextLost) is the process's, as 3.17 has one view:
// a second window's end would stop the first from drawing.
int openWindows = 0;

GLViewImpl* viewOf(GLFWwindow* window)
{
    return static_cast<GLViewImpl*>(glfwGetWindowUserPointer(window));
}

void dispatchToScene(EventMouse& event)
{
    Director::getInstance()->getEventDispatcher()->dispatchEvent(&event);
}

bool isWindowSide(float pixels)
{
    return pixels >= 1.0f && pixels <= kLargestWindowSide;
}

} // namespace

void GLViewImpl::WindowDeleter::operator()(GLFWwindow* window) const
{
    // Whatever outlives the window (renderer, cached textures) must not call GL after this.
    gl::contextLost();
    glfwDestroyWindow(window);
    --openWindows;
}

GLViewImpl* GLViewImpl::create(const std::string& viewName)
{
    return create(viewName, false);
}

GLViewImpl* GLViewImpl::create(const std::string& viewName, bool resizable)
{
    return createWithRect(viewName, Rect(Vec2::ZERO, kDefaultWindowSize), 1.0f, resizable);
}

GLViewImpl* GLViewImpl::createWithRect(const std::string& viewName, Rect size, float frameZoomFactor, bool resizable)
{
    return createAutoreleased<GLViewImpl>(
        [&](GLViewImpl& view) { return view.initWithRect(viewName, size, frameZoomFactor, resizable); });
}

GLViewImpl* GLViewImpl::createWithFullScreen(const std::string& viewName)
{
    return createAutoreleased<GLViewImpl>([&](GLViewImpl& view) { return view.initWithFullScreen(viewName); });
}

GLViewImpl::GLViewImpl() : _mouse(std::make_unique<MouseInput>(*this, dispatchToScene))
{
    glfwSetErrorCallback(GlfwErrorCapture::onError);
    GlfwErrorCapture capture;
    _glfwReady = glfwInit() == GLFW_TRUE;
    if (_glfwReady)
    {
        ++viewsUsingGlfw;
    }
    else
    {
        // GLFW has already cleaned up after its failed start.
        _glfwInitError = capture.causeOr("GLFW could not be initialised");
    }
}

GLViewImpl::~GLViewImpl()
{
    _window.reset();
    if (_glfwReady && --viewsUsingGlfw == 0)
    {
        glfwTerminate();
    }
}

bool GLViewImpl::initWithRect(const std::string& viewName, Rect rect, float frameZoomFactor, bool resizable)
{
    _frameZoomFactor = frameZoomFactor;
    return openWindow(viewName, rect.size, resizable, false);
}

bool GLViewImpl::initWithFullScreen(const std::string& viewName)
{
    _frameZoomFactor = 1.0f;
    return openWindow(viewName, Size::ZERO, false, true);
}

bool GLViewImpl::openWindow(const std::string& viewName, Size size, bool resizable, bool fullScreen)
{
    setViewName(viewName);
    if (!_glfwReady)
    {
        return failToOpen(_glfwInitError);
    }
    GlfwErrorCapture capture;

    GLFWmonitor* monitor = nullptr;
    if (fullScreen)
    {
        monitor = glfwGetPrimaryMonitor();
        const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
        if (!mode)
        {
            return failToOpen(capture.causeOr("there is no monitor to fill"));
        }
        size = Size(static_cast<float>(mode->width), static_cast<float>(mode->height));
    }

    const float width = size.width * _frameZoomFactor;
    const float height = size.height * _frameZoomFactor;
    if (!(_frameZoomFactor > 0.0f) || !isWindowSide(width) || !isWindowSide(height))
    {
        char cause[160];
        std::snprintf(cause, sizeof cause, "%g x %g at zoom %g is not a window size (each side must be 1 to %g pixels)",
                      size.width, size.height, _frameZoomFactor, kLargestWindowSide);
        return failToOpen(cause);
    }

    const GLContextAttrs attrs = getGLContextAttrs();
    glfwDefaultWindowHints();
    // Shown by the first poll of the run loop: a start-up that fails leaves no window behind
    // its message, and creating the window never waits for the desktop to show it.
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_RESIZABLE, resizable ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_RED_BITS, attrs.redBits);
    glfwWindowHint(GLFW_GREEN_BITS, attrs.greenBits);
    glfwWindowHint(GLFW_BLUE_BITS, attrs.blueBits);
    glfwWindowHint(GLFW_ALPHA_BITS, attrs.alphaBits);
    glfwWindowHint(GLFW_DEPTH_BITS, attrs.depthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, attrs.stencilBits);
    glfwWindowHint(GLFW_SAMPLES, attrs.multisamplingCount);

    CCASSERT(openWindows == 0, "one view at a time: end the other view before creating this one");
    const Size windowSize = fullScreen ? Size(width, height) : fitWithin(Size(width, height), workArea());
    _window.reset(glfwCreateWindow(static_cast<int>(std::lround(windowSize.width)),
                                   static_cast<int>(std::lround(windowSize.height)), viewName.c_str(), monitor,
                                   nullptr));
    if (!_window)
    {
        return failToOpen(capture.causeOr("the window system refused it"));
    }
    ++openWindows;
    glfwSetWindowUserPointer(_window.get(), this);
    glfwMakeContextCurrent(_window.get());
    // Before anything can fail: a driver unloaded with the refused window would leave
    // LeakSanitizer its caches to blame on nobody.
    platform::keepGLDriverLoaded();

    const int glVersion = gladLoadGL(glfwGetProcAddress);
    if (glVersion == 0)
    {
        return failToOpen(capture.causeOr("its OpenGL functions could not be loaded"));
    }
    const int major = GLAD_VERSION_MAJOR(glVersion);
    const int minor = GLAD_VERSION_MINOR(glVersion);
    if (major * 100 + minor < kOldestUsableGL)
    {
        return failToOpen("This computer's graphics driver offers OpenGL " + std::to_string(major) + "." +
                          std::to_string(minor) + ", and the game needs 2.0 or later. " + kDriverAdvice);
    }
    gl::contextMade();
    std::string shaderFailure;
    if (!gl::quadProgram(&shaderFailure))
    {
        return failToOpen("The graphics driver cannot build the shaders the game draws with (" + shaderFailure + "). " +
                          kDriverAdvice);
    }
    // The run loop paces frames itself; a driver that waits for vblank as well would halve the rate.
    glfwSwapInterval(0);

    // The frame is the size asked for, whatever size the window has or is given later: the
    // window only changes how large the frame is drawn.
    GLView::setFrameSize(size.width, size.height);
    int realWidth = 0;
    int realHeight = 0;
    glfwGetWindowSize(_window.get(), &realWidth, &realHeight);
    _windowSize = Size(static_cast<float>(realWidth), static_cast<float>(realHeight));
    glfwGetFramebufferSize(_window.get(), &realWidth, &realHeight);
    _framebufferSize = Size(static_cast<float>(realWidth), static_cast<float>(realHeight));
    double cursorX = 0.0;
    double cursorY = 0.0;
    glfwGetCursorPos(_window.get(), &cursorX, &cursorY);
    const Vec2 cursor = windowToFrame(cursorX, cursorY);
    _mouse->placeCursor(cursor.x, cursor.y);

    windowsystem::reportErrorsInOneLine();
    installCallbacks();
    return true;
}

bool GLViewImpl::failToOpen(const std::string& cause)
{
    _window.reset();
    // A game on Windows has no console to read: the player sees this in a message box, titled
    // as the window it stands for.
    const std::string text = "Can't open the window: " + cause;
    MessageBox(text.c_str(), getViewName().c_str());
    return false;
}

void GLViewImpl::installCallbacks()
{
    GLFWwindow* window = _window.get();
    glfwSetMouseButtonCallback(
        window, [](GLFWwindow* w, int button, int action, int /*mods*/) { viewOf(w)->onMouseButton(button, action); });
    glfwSetCursorPosCallback(window, [](GLFWwindow* w, double x, double y) { viewOf(w)->onCursorMoved(x, y); });
    glfwSetScrollCallback(window, [](GLFWwindow* w, double x, double y) { viewOf(w)->onScroll(x, y); });
    glfwSetWindowSizeCallback(window,
                              [](GLFWwindow* w, int width, int height) { viewOf(w)->onWindowResized(width, height); });
    glfwSetFramebufferSizeCallback(
        window, [](GLFWwindow* w, int width, int height) { viewOf(w)->onFramebufferResized(width, height); });
}

void GLViewImpl::onMouseButton(int button, int action)
{
    _mouse->buttonChanged(button, action == GLFW_PRESS);
}

void GLViewImpl::onCursorMoved(double x, double y)
{
    const Vec2 cursor = windowToFrame(x, y);
    _mouse->cursorMoved(cursor.x, cursor.y);
}

Rect GLViewImpl::frameInWindow() const
{
    return letterbox(getFrameSize(), _windowSize);
}

Vec2 GLViewImpl::windowToFrame(double x, double y) const
{
    return windowPointToFrame(getFrameSize(), _windowSize, Vec2(static_cast<float>(x), static_cast<float>(y)));
}

Rect GLViewImpl::getFrameRectInPixels() const
{
    if (_windowSize.width <= 0.0f || _windowSize.height <= 0.0f)
    {
        return Rect(Vec2::ZERO, _framebufferSize);
    }
    // Window units and pixels differ on high-density screens; GL counts from the bottom.
    const float pixelsX = _framebufferSize.width / _windowSize.width;
    const float pixelsY = _framebufferSize.height / _windowSize.height;
    const Rect drawn = frameInWindow();
    return Rect(drawn.origin.x * pixelsX, (_windowSize.height - drawn.getMaxY()) * pixelsY, drawn.size.width * pixelsX,
                drawn.size.height * pixelsY);
}

void GLViewImpl::onScroll(double xOffset, double yOffset)
{
    _mouse->scrolled(static_cast<float>(xOffset), static_cast<float>(yOffset));
}

void GLViewImpl::setFrameSize(float width, float height)
{
    GLView::setFrameSize(width, height);
    const float windowWidth = width * _frameZoomFactor;
    const float windowHeight = height * _frameZoomFactor;
    if (_window && isWindowSide(windowWidth) && isWindowSide(windowHeight))
    {
        glfwSetWindowSize(_window.get(), static_cast<int>(std::lround(windowWidth)),
                          static_cast<int>(std::lround(windowHeight)));
        // Until the window system confirms the size, the frame is drawn as if it had.
        _windowSize = Size(windowWidth, windowHeight);
    }
}

void GLViewImpl::onWindowResized(int width, int height)
{
    // A minimised window reports 0 x 0: it keeps the size it will come back with.
    if (width <= 0 || height <= 0)
    {
        return;
    }
    _windowSize = Size(static_cast<float>(width), static_cast<float>(height));
    // Without a design resolution the frame keeps its size, as in 3.17, and is scaled into
    // the window (frameInWindow).
    if (_resolutionPolicy == ResolutionPolicy::UNKNOWN)
    {
        return;
    }
    GLView::setFrameSize(width / _frameZoomFactor, height / _frameZoomFactor);
    updateDesignResolutionSize();
}

void GLViewImpl::onFramebufferResized(int width, int height)
{
    if (width > 0 && height > 0)
    {
        _framebufferSize = Size(static_cast<float>(width), static_cast<float>(height));
    }
}

void GLViewImpl::showOrHide(bool shown)
{
    if (shown && !_fittedToWorkArea)
    {
        // Only a window the desktop has framed tells how much room its frame takes.
        _fittedToWorkArea = true;
        fitIntoWorkArea();
    }
    if (shown == _shown)
    {
        return;
    }
    _shown = shown;
    Application* application = Application::getInstance();
    if (shown)
    {
        application->applicationWillEnterForeground();
    }
    else
    {
        _mouse->releaseHeldButtons();
        application->applicationDidEnterBackground();
    }
}

Size GLViewImpl::workArea() const
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    if (GLFWmonitor* monitor = glfwGetPrimaryMonitor())
    {
        glfwGetMonitorWorkarea(monitor, &left, &top, &width, &height);
    }
    return Size(static_cast<float>(width), static_cast<float>(height));
}

void GLViewImpl::fitIntoWorkArea()
{
    if (glfwGetWindowMonitor(_window.get()))
    {
        return;
    }
    const Size area = workArea();
    int frameLeft = 0;
    int frameTop = 0;
    int frameRight = 0;
    int frameBottom = 0;
    glfwGetWindowFrameSize(_window.get(), &frameLeft, &frameTop, &frameRight, &frameBottom);
    const Size room(area.width - static_cast<float>(frameLeft + frameRight),
                    area.height - static_cast<float>(frameTop + frameBottom));
    const Size fitted = fitWithin(_windowSize, room);
    // Window managers place a window too large for the screen at its top left, where the
    // smaller one then fits. The place stays theirs: X11 window managers read a requested
    // position as the frame's or the content's, each its own way.
    if (!fitted.equals(_windowSize))
    {
        glfwSetWindowSize(_window.get(), static_cast<int>(fitted.width), static_cast<int>(fitted.height));
    }
}

void GLViewImpl::setWindowed(int width, int height)
{
    if (!_window)
    {
        return;
    }
    if (width < 1 || height < 1)
    {
        log("GLViewImpl::setWindowed: %d x %d is not a window size", width, height);
        return;
    }
    GLFWmonitor* monitor = glfwGetWindowMonitor(_window.get());
    if (!monitor)
    {
        // As in 3.17, a window that is not full screen is only given the new frame size.
        setFrameSize(static_cast<float>(width), static_cast<float>(height));
        return;
    }
    // Centred on the monitor it filled.
    int left = 0;
    int top = 0;
    glfwGetMonitorPos(monitor, &left, &top);
    if (const GLFWvidmode* mode = glfwGetVideoMode(monitor))
    {
        left += (mode->width - width) / 2;
        top += (mode->height - height) / 2;
    }
    glfwSetWindowMonitor(_window.get(), nullptr, left, top, width, height, GLFW_DONT_CARE);
}

void GLViewImpl::end()
{
    // Forgetting the window is what tells the run loop to stop: windowShouldClose() turns true.
    _window.reset();
    release();
}

void GLViewImpl::swapBuffers()
{
    if (_window)
    {
        glfwSwapBuffers(_window.get());
    }
}

bool GLViewImpl::windowShouldClose()
{
    return !_window || glfwWindowShouldClose(_window.get()) == GLFW_TRUE;
}

void GLViewImpl::pollEvents()
{
    if (!_window)
    {
        return;
    }
    if (!_showRequested)
    {
        _showRequested = true;
        windowsystem::show(_window.get());
    }
    glfwPollEvents();
    showOrHide(windowsystem::isShown(_window.get()));
}

NS_CC_END
