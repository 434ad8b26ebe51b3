#include "platform/CCApplication.h"
#include "platform/CCFramePacer.h"
#include "platform/desktop/CCRunLoop.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "HeadlessView.h"
#include "ScopedEnv.h"

USING_NS_CC;

namespace {

class LaunchingApp : public Application
{
public:
    explicit LaunchingApp(bool launches = true) : _launches(launches) {}

    bool applicationDidFinishLaunching() override { return _launches; }
    void applicationDidEnterBackground() override {}
    void applicationWillEnterForeground() override {}

private:
    bool _launches;
};

TEST(ApplicationLanguage, ComesFromTheLanguagePartOfLang)
{
    LaunchingApp app;
    const struct
    {
        const char* lang;
        const char* code;
        LanguageType language;
    } cases[] = {
        {"de_DE.UTF-8", "de", LanguageType::GERMAN},
        {"pt_BR", "pt", LanguageType::PORTUGUESE},
        {"FR", "fr", LanguageType::FRENCH},
        {"nb_NO.UTF-8", "nb", LanguageType::NORWEGIAN},
        {"uk_UA@euro", "uk", LanguageType::UKRAINIAN},
        {"sv_SE.UTF-8", "sv", LanguageType::ENGLISH},
        {"C.UTF-8", "en", LanguageType::ENGLISH},
        {"POSIX", "en", LanguageType::ENGLISH},
        {"", "en", LanguageType::ENGLISH},
        {nullptr, "en", LanguageType::ENGLISH},
    };
    for (const auto& entry : cases)
    {
        ScopedEnv lang("LANG", entry.lang);
        EXPECT_STREQ(app.getCurrentLanguageCode(), entry.code) << (entry.lang ? entry.lang : "(unset)");
        EXPECT_EQ(app.getCurrentLanguage(), entry.language) << (entry.lang ? entry.lang : "(unset)");
    }
}

TEST(ApplicationLanguage, LeavesTheEnvironmentAlone)
{
    LaunchingApp app;
    ScopedEnv lang("LANG", "ja_JP.UTF-8");
    app.getCurrentLanguageCode();
    EXPECT_STREQ(std::getenv("LANG"), "ja_JP.UTF-8");
}

#if COCOS2D_DEBUG > 0
TEST(ApplicationBasics, AskingWhenThereIsNoneAbortsWithTheReason)
{
    EXPECT_DEATH(Application::getInstance(), "Assert failed at .*no Application has been created");
}
#endif

TEST(ApplicationBasics, IsTheOneInstanceAndALinuxApplication)
{
    LaunchingApp app;
    EXPECT_EQ(Application::getInstance(), &app);
    EXPECT_EQ(app.getTargetPlatform(), ApplicationProtocol::Platform::OS_LINUX);
    EXPECT_EQ(CC_TARGET_PLATFORM, CC_PLATFORM_LINUX);
    EXPECT_EQ(app.getVersion(), "");
}

// Puts a fake xdg-open first on PATH that records its arguments and exits as told.
class OpenUrl : public testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/skyvane-openurl-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        _dir = pattern;
        _record = _dir + "/args";
        const std::string script = _dir + "/xdg-open";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"" << _record
                              << "\"\nexit \"${FAKE_EXIT:-0}\"\n";
        ASSERT_EQ(chmod(script.c_str(), 0755), 0);
        _path = std::make_unique<ScopedEnv>("PATH", (_dir + ":/usr/bin:/bin").c_str());
    }

    void TearDown() override
    {
        _path.reset();
        std::remove(_record.c_str());
        std::remove((_dir + "/xdg-open").c_str());
        rmdir(_dir.c_str());
    }

    std::string recordedArguments() const
    {
        std::ifstream in(_record);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    LaunchingApp _app;
    std::string _dir;
    std::string _record;
    std::unique_ptr<ScopedEnv> _path;
};

TEST_F(OpenUrl, HandsTheWholeUrlToXdgOpenAsOneArgumentWithoutAShell)
{
    const std::string url = "https://example.org/a b?x=1&y=$(touch /tmp/skyvane-pwned);'q'";
    EXPECT_TRUE(_app.openURL(url));
    EXPECT_EQ(recordedArguments(), "1\n" + url + "\n");
}

TEST_F(OpenUrl, FailsWhenXdgOpenFails)
{
    ScopedEnv exitCode("FAKE_EXIT", "4");
    EXPECT_FALSE(_app.openURL("https://example.org/"));
    EXPECT_EQ(recordedArguments(), "1\nhttps://example.org/\n");
}

TEST_F(OpenUrl, RefusesWhatXdgOpenWouldTakeForAnOption)
{
    testing::internal::CaptureStderr();
    EXPECT_FALSE(_app.openURL("--help"));
    EXPECT_FALSE(_app.openURL(""));
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(recordedArguments(), "");
}

TEST(OpenUrlWithoutXdgOpen, SaysSoAndFails)
{
    LaunchingApp app;
    ScopedEnv path("PATH", "/nonexistent");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(app.openURL("https://example.org/"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("xdg-open"), std::string::npos);
}

// Release builds drop CCLOG whole, arguments included; debug builds log a line.
TEST(Logging, CCLOGWritesOnlyInDebugBuilds)
{
    int evaluated = 0;
    testing::internal::CaptureStderr();
    CCLOG("ping %d", ++evaluated);
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(evaluated, COCOS2D_DEBUG >= 1 ? 1 : 0);
    EXPECT_EQ(written, COCOS2D_DEBUG >= 1 ? "ping 1\n" : "");
}

using ApplicationRun = testing_support::EngineTest;

TEST_F(ApplicationRun, ReportsAFailedLaunchAsAFailure)
{
    LaunchingApp app(false);
    EXPECT_EQ(app.run(), 1);
}

TEST_F(ApplicationRun, ReturnsOneWhenLaunchingLeftTheDirectorWithoutAView)
{
    LaunchingApp app(true);
    EXPECT_EQ(app.run(), 1);
}

// A headless view that, like a window, reports itself closed once the Director let it go.
class ClosingView : public testing_support::HeadlessView
{
public:
    static ClosingView* create() { return createFramed<ClosingView>(); }
    void end() override
    {
        _closed = true;
        release();
    }
    bool windowShouldClose() override { return _closed; }

private:
    bool _closed = false;
};

// Runs an empty scene; on frame 5 it sets its own frame interval, on frame 10 it ends.
class IntervalApp : public LaunchingApp
{
public:
    bool applicationDidFinishLaunching() override
    {
        Director* director = Director::getInstance();
        director->setOpenGLView(ClosingView::create());
        director->runWithScene(Scene::create());
        director->getScheduler()->schedule(
            [this](float) {
                ++_frames;
                if (_frames == 5)
                {
                    setAnimationInterval(0.25f);
                }
                else if (_frames == 10)
                {
                    Director::getInstance()->end();
                }
            },
            this, 0.0f, false, "frames");
        return true;
    }

private:
    int _frames = 0;
};

TEST_F(ApplicationRun, SettingTheApplicationsIntervalPacesTheRunLoop)
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point now{};
    std::vector<double> waits;
    FramePacer pacer([&now] { return now; },
                     [&now, &waits](Clock::time_point until) {
                         waits.push_back(std::chrono::duration<double>(until - now).count());
                         now = until;
                     });
    IntervalApp app;
    EXPECT_EQ(runDesktopLoop(app, pacer), 0);
    ASSERT_GE(waits.size(), 8u);
    EXPECT_NEAR(waits.front(), 1.0 / 60, 1e-6);
    EXPECT_NEAR(waits.back(), 0.25, 1e-6);
}

// A minimised window: the Director draws nothing, and the close the window system sends
// arrives only through a poll. Gives up after a bounded number of frames.
class MinimisedView : public ClosingView
{
public:
    static MinimisedView* create() { return createFramed<MinimisedView>(); }
    void pollEvents() override { _closeRequested = ++_polls >= 3; }
    bool windowShouldClose() override
    {
        return _closeRequested || ++_framesLeft > 100 || ClosingView::windowShouldClose();
    }

    int polls() const { return _polls; }
    bool closeHeard() const { return _closeRequested; }

private:
    int _polls = 0;
    int _framesLeft = 0;
    bool _closeRequested = false;
};

class MinimisedApp : public LaunchingApp
{
public:
    bool applicationDidFinishLaunching() override
    {
        Director* director = Director::getInstance();
        view = MinimisedView::create();
        director->setOpenGLView(view);
        director->runWithScene(Scene::create());
        director->stopAnimation();
        return true;
    }

    MinimisedView* view = nullptr;
};

TEST_F(ApplicationRun, AStoppedDirectorStillHearsTheWindowSystemEveryFrame)
{
    FramePacer pacer([] { return std::chrono::steady_clock::time_point{}; },
                     [](std::chrono::steady_clock::time_point) {});
    MinimisedApp app;
    EXPECT_EQ(runDesktopLoop(app, pacer), 0);
    ASSERT_NE(app.view, nullptr);
    EXPECT_TRUE(app.view->closeHeard());
    EXPECT_EQ(app.view->polls(), 3);
}

} // namespace
