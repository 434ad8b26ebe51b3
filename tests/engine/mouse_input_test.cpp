#include "platform/desktop/CCMouseInput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

USING_NS_CC;

namespace {

using Log = std::vector<std::string>;

std::string describe(const char* what, float x, float y)
{
    char text[96];
    std::snprintf(text, sizeof text, "%s %g,%g", what, x, y);
    return text;
}

// Records the touches the input hands to the view, in order with the mouse events.
class RecordingView : public GLView
{
public:
    explicit RecordingView(Log& log) : _log(log) {}

    void useViewport(const Rect& viewport, float scaleX, float scaleY)
    {
        _viewPortRect = viewport;
        _scaleX = scaleX;
        _scaleY = scaleY;
    }

    void end() override {}
    bool isOpenGLReady() override { return false; }
    void swapBuffers() override {}
    void setIMEKeyboardState(bool) override {}

    void handleTouchesBegin(int num, intptr_t ids[], float xs[], float ys[]) override
    {
        record("began", num, ids, xs, ys);
    }
    void handleTouchesMove(int num, intptr_t ids[], float xs[], float ys[]) override
    {
        record("moved", num, ids, xs, ys);
    }
    void handleTouchesEnd(int num, intptr_t ids[], float xs[], float ys[]) override
    {
        record("ended", num, ids, xs, ys);
    }

private:
    void record(const char* phase, int num, intptr_t ids[], float xs[], float ys[])
    {
        ASSERT_EQ(num, 1);
        ASSERT_EQ(ids[0], 0);
        _log.push_back(describe((std::string("touch ") + phase).c_str(), xs[0], ys[0]));
    }

    Log& _log;
};

const char* nameOf(EventMouse::MouseEventType type)
{
    switch (type)
    {
    case EventMouse::MouseEventType::MOUSE_DOWN: return "down";
    case EventMouse::MouseEventType::MOUSE_UP: return "up";
    case EventMouse::MouseEventType::MOUSE_MOVE: return "move";
    case EventMouse::MouseEventType::MOUSE_SCROLL: return "scroll";
    case EventMouse::MouseEventType::MOUSE_NONE: break;
    }
    return "none";
}

struct MouseFixture : testing::Test
{
    Log log;
    RecordingView* view = new RecordingView(log);
    Vec2 lastScroll;
    MouseInput input{*view, [this](EventMouse& event) {
                         const std::string what = std::string("mouse ") + nameOf(event.getMouseEventType()) + " " +
                                                  std::to_string(static_cast<int>(event.getMouseButton()));
                         log.push_back(describe(what.c_str(), event.getCursorX(), event.getCursorY()));
                         lastScroll = Vec2(event.getScrollX(), event.getScrollY());
                     }};

    ~MouseFixture() override { view->release(); }
};

TEST_F(MouseFixture, WithoutDesignResolutionCursorYIsTheNegatedWindowY)
{
    input.cursorMoved(120, 200);
    EXPECT_EQ(log, (Log{"mouse move -1 120,-200"}));
}

TEST_F(MouseFixture, LeftClickIsTouchZeroDeliveredBeforeEachMouseEvent)
{
    input.cursorMoved(10, 20);
    input.buttonChanged(0, true);
    input.cursorMoved(15, 25);
    input.buttonChanged(0, false);
    EXPECT_EQ(log, (Log{"mouse move -1 10,-20", "touch began 10,20", "mouse down 0 10,-20", "touch moved 15,25",
                        "mouse move 0 15,-25", "touch ended 15,25", "mouse up 0 15,-25"}));
}

TEST_F(MouseFixture, ClickBeforeAnyMovementStartsFromThePlacedCursor)
{
    input.placeCursor(30, 40);
    EXPECT_TRUE(log.empty());
    input.buttonChanged(0, true);
    EXPECT_EQ(log, (Log{"touch began 30,40", "mouse down 0 30,-40"}));
}

TEST_F(MouseFixture, OtherButtonsGiveMouseEventsButNoTouches)
{
    input.placeCursor(5, 6);
    input.buttonChanged(1, true);
    input.cursorMoved(7, 8);
    input.buttonChanged(2, true);
    input.buttonChanged(1, false);
    input.cursorMoved(9, 9);
    input.buttonChanged(2, false);
    input.buttonChanged(7, true);
    EXPECT_EQ(log, (Log{"mouse down 1 5,-6", "mouse move 1 7,-8", "mouse down 2 7,-8", "mouse up 1 7,-8",
                        "mouse move 2 9,-9", "mouse up 2 9,-9", "mouse down 7 9,-9"}));
}

TEST_F(MouseFixture, ReleasingHeldButtonsEndsTheTouchAndLetsGoOfExactlyWhatWasHeld)
{
    input.placeCursor(50, 60);
    input.buttonChanged(0, true);
    input.buttonChanged(2, true);
    log.clear();
    input.releaseHeldButtons();
    EXPECT_EQ(log, (Log{"touch ended 50,60", "mouse up 0 50,-60", "mouse up 2 50,-60"}));
    // Nothing is held any more: a second release, or the late real one, sends nothing new
    // through touches, and the next press starts a fresh touch.
    log.clear();
    input.releaseHeldButtons();
    EXPECT_TRUE(log.empty());
    input.buttonChanged(0, true);
    EXPECT_EQ(log, (Log{"touch began 50,60", "mouse down 0 50,-60"}));
}

TEST_F(MouseFixture, MoveReportsLeftFirstAmongHeldButtons)
{
    input.buttonChanged(2, true);
    input.buttonChanged(1, true);
    input.buttonChanged(0, true);
    log.clear();
    input.cursorMoved(1, 1);
    EXPECT_EQ(log.back(), "mouse move 0 1,-1");
}

TEST_F(MouseFixture, ButtonNumbersGlfwNeverSendsAreIgnored)
{
    input.buttonChanged(-1, true);
    input.buttonChanged(8, true);
    EXPECT_TRUE(log.empty());
}

TEST_F(MouseFixture, ScrollNegatesYAndUsesTheLastCursor)
{
    input.placeCursor(50, 60);
    input.scrolled(1.5f, 2.0f);
    EXPECT_EQ(log, (Log{"mouse scroll -1 50,-60"}));
    EXPECT_EQ(lastScroll, Vec2(1.5f, -2.0f));
}

TEST_F(MouseFixture, DesignResolutionMapsTheCursorIntoDesignUnitsFromTheBottom)
{
    // A 200x100 design shown at scale 2 in a 500x200 frame: the viewport is centred at x 50.
    view->useViewport(Rect(50, 0, 400, 200), 2.0f, 2.0f);
    input.cursorMoved(250, 50);
    EXPECT_EQ(log, (Log{"mouse move -1 100,75"}));
}

TEST_F(MouseFixture, PressOutsideTheViewportStartsNoTouch)
{
    view->useViewport(Rect(50, 0, 400, 200), 2.0f, 2.0f);
    input.cursorMoved(20, 50);
    input.buttonChanged(0, true);
    input.cursorMoved(100, 50);
    input.buttonChanged(0, false);
    for (const std::string& entry : log)
    {
        EXPECT_EQ(entry.rfind("touch", 0), std::string::npos) << entry;
    }
    EXPECT_EQ(log.size(), 4u);
}

TEST_F(MouseFixture, PressOnTheViewportEdgeCounts)
{
    view->useViewport(Rect(50, 0, 400, 200), 2.0f, 2.0f);
    input.cursorMoved(450, 200);
    input.buttonChanged(0, true);
    EXPECT_EQ(log.at(1), "touch began 450,200");
}

} // namespace
