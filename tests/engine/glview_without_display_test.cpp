#include "platform/desktop/CCGLViewImpl-desktop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ScopedEnv.h"
#include "base/CCLiveObjects.h"

USING_NS_CC;

namespace {

// With no display to talk to, opening a window must fail cleanly: no view, no leaked
// objects, and exactly one line on stderr that names the window and the cause.
class WithoutDisplay : public testing::Test
{
protected:
    static void expectOneLineNaming(const std::string& output, const std::string& viewName)
    {
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
        EXPECT_EQ(output.rfind(viewName + ": Can't open the window: ", 0), 0u) << output;
        EXPECT_NE(output.find("DISPLAY"), std::string::npos) << output;
    }

private:
    ScopedEnv _noDisplay{"DISPLAY", nullptr};
    ScopedEnv _noWaylandDisplay{"WAYLAND_DISPLAY", nullptr};
};

TEST_F(WithoutDisplay, CreateReturnsNullAndSaysWhyInOneLine)
{
    const long liveBefore = liveObjectCount();
    testing::internal::CaptureStderr();
    GLViewImpl* view = GLViewImpl::create("My Game");
    const std::string output = testing::internal::GetCapturedStderr();

    EXPECT_EQ(view, nullptr);
    expectOneLineNaming(output, "My Game");
    EXPECT_EQ(liveObjectCount(), liveBefore);
}

TEST_F(WithoutDisplay, EveryFactoryFailsTheSameWayAndCanBeRetried)
{
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        testing::internal::CaptureStderr();
        EXPECT_EQ(GLViewImpl::createWithFullScreen("Full"), nullptr);
        expectOneLineNaming(testing::internal::GetCapturedStderr(), "Full");

        testing::internal::CaptureStderr();
        EXPECT_EQ(GLViewImpl::createWithRect("Zoomed", Rect(0, 0, 320, 200), 2.0f, true), nullptr);
        expectOneLineNaming(testing::internal::GetCapturedStderr(), "Zoomed");
    }
}

} // namespace
