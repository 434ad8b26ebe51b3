#include "platform/CCApplication.h"

#include <gtest/gtest.h>

#include "DisplayRequired.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "2d/CCScene.h"
#include "base/CCDirector.h"
#include "base/CCLiveObjects.h"
#include "base/CCScheduler.h"
#include "platform/desktop/CCGLViewImpl-desktop.h"

USING_NS_CC;

// The Linux run loop on a real window: run under an X server (Xvfb in CI).
namespace {

constexpr int kFramesBeforeQuitting = 30;

// Opens a window, runs an empty scene and, on the chosen frame, quits the way it is told.
class QuittingApp : public Application
{
public:
    using Quit = std::function<void(GLViewImpl*)>;

    explicit QuittingApp(Quit quit) : _quit(std::move(quit)) {}

    int framesRun() const { return _frames; }

    bool applicationDidFinishLaunching() override
    {
        Director* director = Director::getInstance();
        GLViewImpl* view = GLViewImpl::create("Skyvane run loop");
        if (!view)
        {
            return false;
        }
        director->setOpenGLView(view);
        director->setAnimationInterval(1.0 / 60);
        director->runWithScene(Scene::create());
        director->getScheduler()->schedule(
            [this, view](float) {
                if (++_frames == kFramesBeforeQuitting)
                {
                    _quit(view);
                }
            },
            this, 0.0f, false, "quit");
        return true;
    }
    void applicationDidEnterBackground() override {}
    void applicationWillEnterForeground() override {}

private:
    Quit _quit;
    int _frames = 0;
};

class RunLoop : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
        {
            SKIP_OR_FAIL_WITHOUT_DISPLAY("needs an X display");
        }
    }

    void expectCleanEnd(QuittingApp& app)
    {
        const long liveBefore = liveObjectCount();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(app.run(), 0);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("%d frames at 1/60 s took %.3f s\n", app.framesRun(), took.count());

        EXPECT_EQ(app.framesRun(), kFramesBeforeQuitting) << "frames ran after quitting";
        EXPECT_EQ(liveObjectCount(), liveBefore) << "the Director, view or scene outlived run()";
    }
};

TEST_F(RunLoop, ClosingTheWindowEndsTheDirectorAndReturnsZero)
{
    QuittingApp app([](GLViewImpl* view) { glfwSetWindowShouldClose(view->getWindow(), GLFW_TRUE); });
    expectCleanEnd(app);
}

TEST_F(RunLoop, DirectorEndClosesTheWindowAndReturnsZero)
{
    QuittingApp app([](GLViewImpl*) { Director::getInstance()->end(); });
    expectCleanEnd(app);
}

} // namespace
