#include "platform/desktop/CCGLViewImpl-desktop.h"

#include <gtest/gtest.h>

#include "DisplayRequired.h"

#include "base/CCAutoreleasePool.h"
#include "internal/GLContext.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

USING_NS_CC;

// Opens real windows: run under an X server (Xvfb in CI). xdotool drives the pointer.
namespace {

class OnDisplay : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
        {
            SKIP_OR_FAIL_WITHOUT_DISPLAY("needs an X display");
        }
    }

    // Plays the end of a frame: created views live until the pool drains.
    void TearDown() override { PoolManager::getInstance()->getCurrentPool()->clear(); }
};

TEST_F(OnDisplay, DefaultWindowIs960By640AndReadyToDraw)
{
    GLViewImpl* view = GLViewImpl::create("Skyvane default window");
    ASSERT_NE(view, nullptr);
    EXPECT_NE(view->getWindow(), nullptr);
    EXPECT_TRUE(view->isOpenGLReady());
    EXPECT_FALSE(view->windowShouldClose());
    EXPECT_TRUE(view->getFrameSize().equals(Size(960, 640)));
    EXPECT_TRUE(view->getDesignResolutionSize().equals(Size(960, 640)));
    EXPECT_TRUE(view->getFrameRectInPixels().equals(Rect(0, 0, 960, 640)));
    EXPECT_EQ(view->getViewName(), "Skyvane default window");
}

// A start-up that fails after the window is made (a picture missing) leaves no blank window
// behind its message; the run loop's first poll shows it, without waiting for the desktop.
TEST_F(OnDisplay, TheWindowIsShownByTheFirstPollNotByItsCreation)
{
    GLViewImpl* view = GLViewImpl::create("Skyvane hidden window");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(glfwGetWindowAttrib(view->getWindow(), GLFW_VISIBLE), GLFW_FALSE);
    view->pollEvents();
    EXPECT_EQ(glfwGetWindowAttrib(view->getWindow(), GLFW_VISIBLE), GLFW_TRUE);
}

TEST_F(OnDisplay, ZoomScalesTheWindowButNotTheFrame)
{
    GLViewImpl* view = GLViewImpl::createWithRect("Skyvane zoomed window", Rect(0, 0, 320, 200), 2.0f);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->getFrameSize().equals(Size(320, 200)));
    EXPECT_TRUE(view->getFrameRectInPixels().equals(Rect(0, 0, 640, 400)));
}

TEST_F(OnDisplay, EndForgetsTheWindowSoTheRunLoopStops)
{
    GLViewImpl* view = GLViewImpl::create("Skyvane ending window");
    ASSERT_NE(view, nullptr);
    view->retain(); // the run loop's reference, which end() gives up
    view->end();
    EXPECT_EQ(view->getWindow(), nullptr);
    EXPECT_FALSE(view->isOpenGLReady());
    EXPECT_TRUE(view->windowShouldClose());
    view->swapBuffers(); // harmless without a window
}

#if COCOS2D_DEBUG > 0
// The GL state is the process's: the second window's end would leave the first unable to draw.
TEST_F(OnDisplay, ASecondViewWhileOneIsOpenIsStoppedInDebugBuilds)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // the child starts afresh, not forked from X threads
    GLViewImpl* first = GLViewImpl::create("Skyvane first window");
    ASSERT_NE(first, nullptr);
    EXPECT_DEATH(GLViewImpl::create("Skyvane second window"), "one view at a time");
}
#endif

TEST_F(OnDisplay, AViewOpenedAfterTheLastOneEndedCanDraw)
{
    GLViewImpl* first = GLViewImpl::create("Skyvane first window");
    ASSERT_NE(first, nullptr);
    first->retain();
    first->end();
    GLViewImpl* second = GLViewImpl::create("Skyvane second window");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(gl::isLoaded());
}

TEST_F(OnDisplay, SizesThatAreNoWindowFailInOneLine)
{
    const struct
    {
        Rect rect;
        float zoom;
    } bad[] = {
        {Rect(0, 0, 0, 0), 1.0f},       {Rect(0, 0, -640, 480), 1.0f},
        {Rect(0, 0, 640, 480), 0.0f},   {Rect(0, 0, 640, 480), std::nanf("")},
        {Rect(0, 0, 1e30f, 480), 1.0f},
    };
    for (const auto& entry : bad)
    {
        testing::internal::CaptureStderr();
        EXPECT_EQ(GLViewImpl::createWithRect("Bad", entry.rect, entry.zoom), nullptr);
        const std::string output = testing::internal::GetCapturedStderr();
        EXPECT_EQ(output.rfind("Bad: Can't open the window: ", 0), 0u) << output;
        EXPECT_NE(output.find("not a window size"), std::string::npos) << output;
        EXPECT_EQ(output.find('\n'), output.size() - 1) << output;
    }
}

// Polls until the window has the given size or a few seconds have passed; returns its size.
Size windowSizeAfterPolling(GLViewImpl* view, int width, int height)
{
    int w = 0;
    int h = 0;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do
    {
        view->pollEvents();
        glfwGetWindowSize(view->getWindow(), &w, &h);
        if (w == width && h == height)
        {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < giveUp);
    for (int i = 0; i < 5; ++i) // let the size events of the change arrive
    {
        view->pollEvents();
    }
    return Size(static_cast<float>(w), static_cast<float>(h));
}

// Touches in frame coordinates as the view receives them from real pointer input.
class TouchRecordingView : public GLViewImpl
{
public:
    std::vector<std::string> touches;

    void handleTouchesBegin(int, intptr_t ids[], float xs[], float ys[]) override { note("began", ids, xs, ys); }
    void handleTouchesMove(int, intptr_t[], float[], float[]) override {}
    void handleTouchesEnd(int, intptr_t ids[], float xs[], float ys[]) override { note("ended", ids, xs, ys); }

private:
    void note(const char* phase, intptr_t ids[], float xs[], float ys[])
    {
        touches.push_back(std::string(phase) + " " + std::to_string(ids[0]) + " " + std::to_string(std::lround(xs[0])) +
                          "," + std::to_string(std::lround(ys[0])));
    }
};

// Clicks the window at (x, y) in window units through XTest; the touches it made.
std::vector<std::string> clickThroughX(TouchRecordingView* view, const std::string& title, int x, int y)
{
    view->touches.clear();
    view->pollEvents(); // the first poll shows the window
    const std::string click = "xdotool search --sync --onlyvisible --name '^" + title + "$' mousemove --window %1 " +
                              std::to_string(x) + " " + std::to_string(y) + " sleep 0.1 click 1";
    EXPECT_EQ(std::system(click.c_str()), 0) << "is xdotool installed?";

    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (view->touches.size() < 2 && std::chrono::steady_clock::now() < giveUp)
    {
        view->pollEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return view->touches;
}

TEST_F(OnDisplay, LeftClickReachesTheViewAsTouchZeroInFrameCoordinates)
{
    auto* view = new TouchRecordingView();
    const std::string title = "Skyvane pointer window";
    ASSERT_TRUE(view->initWithRect(title, Rect(0, 0, 200, 150), 2.0f, false));
    EXPECT_EQ(clickThroughX(view, title, 200, 100), (std::vector<std::string>{"began 0 100,50", "ended 0 100,50"}));
    view->release();
}

// A tiling window manager may force any size on the window. The frame keeps its size, as in
// 3.17 without a design resolution, and is drawn as large as fits, centred; the pointer lands
// where the picture shows it.
TEST_F(OnDisplay, AForcedWindowSizeScalesThePictureAndThePointerAlike)
{
    auto* view = new TouchRecordingView();
    const std::string title = "Skyvane forced size window";
    ASSERT_TRUE(view->initWithRect(title, Rect(0, 0, 960, 640), 1.0f, false));

    glfwSetWindowSize(view->getWindow(), 480, 480);
    ASSERT_TRUE(windowSizeAfterPolling(view, 480, 480).equals(Size(480, 480)));
    EXPECT_TRUE(view->getFrameSize().equals(Size(960, 640)));
    EXPECT_TRUE(view->getFrameRectInPixels().equals(Rect(0, 80, 480, 320)));
    EXPECT_EQ(clickThroughX(view, title, 240, 200), (std::vector<std::string>{"began 0 480,240", "ended 0 480,240"}));

    glfwSetWindowSize(view->getWindow(), 1920, 1080);
    ASSERT_TRUE(windowSizeAfterPolling(view, 1920, 1080).equals(Size(1920, 1080)));
    // 1.6875 times: the height fills, the sides stay black.
    EXPECT_TRUE(view->getFrameRectInPixels().equals(Rect(150, 0, 1620, 1080)));
    EXPECT_EQ(clickThroughX(view, title, 150 + 1620 / 4, 1080 / 4),
              (std::vector<std::string>{"began 0 240,160", "ended 0 240,160"}));
    view->release();
}

TEST_F(OnDisplay, FrameSizeResizesTheWindow)
{
    GLViewImpl* view = GLViewImpl::create("Skyvane resized window", true);
    ASSERT_NE(view, nullptr);
    view->setFrameSize(400, 300);
    EXPECT_TRUE(windowSizeAfterPolling(view, 400, 300).equals(Size(400, 300)));
    EXPECT_TRUE(view->getFrameSize().equals(Size(400, 300)));
    EXPECT_TRUE(view->getFrameRectInPixels().equals(Rect(0, 0, 400, 300)));
}

// Xvfb's screen is 1280 x 800 (see the README's window test command).
TEST_F(OnDisplay, FullScreenFillsThePrimaryMonitorAndSetWindowedLeavesIt)
{
    GLViewImpl* view = GLViewImpl::createWithFullScreen("Skyvane full screen window");
    ASSERT_NE(view, nullptr);
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    ASSERT_NE(monitor, nullptr);
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    ASSERT_NE(mode, nullptr);
    const Size screen(static_cast<float>(mode->width), static_cast<float>(mode->height));
    EXPECT_EQ(glfwGetWindowMonitor(view->getWindow()), monitor);
    EXPECT_TRUE(view->getFrameSize().equals(screen));
    EXPECT_TRUE(view->getDesignResolutionSize().equals(screen));

    view->setWindowed(400, 300);
    EXPECT_EQ(glfwGetWindowMonitor(view->getWindow()), nullptr);
    EXPECT_TRUE(windowSizeAfterPolling(view, 400, 300).equals(Size(400, 300)));
    EXPECT_TRUE(view->getFrameSize().equals(screen)) << "without a design resolution the frame keeps its size";
}

TEST_F(OnDisplay, SetWindowedOnAWindowSetsTheFrameSize)
{
    GLViewImpl* view = GLViewImpl::createWithRect("Skyvane windowed window", Rect(0, 0, 320, 200), 2.0f);
    ASSERT_NE(view, nullptr);
    view->setWindowed(200, 100);
    EXPECT_TRUE(view->getFrameSize().equals(Size(200, 100)));
    EXPECT_TRUE(windowSizeAfterPolling(view, 400, 200).equals(Size(400, 200))) << "the zoom still applies";
    EXPECT_EQ(glfwGetWindowMonitor(view->getWindow()), nullptr);
}

} // namespace
