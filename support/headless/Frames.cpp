#include "Frames.h"

#include <cstdint>
#include <memory>

#include "HeadlessView.h"

USING_NS_CC;

namespace testing_support {

namespace {

// A process has an Application: the Director reports its frame interval to it. Headless runs
// get this one unless the test brought its own.
class HeadlessApplication : public Application
{
public:
    static bool anyExists() { return sm_pSharedApplication != nullptr; }

    bool applicationDidFinishLaunching() override { return true; }
    void applicationDidEnterBackground() override {}
    void applicationWillEnterForeground() override {}
};

std::unique_ptr<HeadlessApplication> headlessApplication;

} // namespace

void startHeadless(float width, float height)
{
    if (!HeadlessApplication::anyExists())
    {
        headlessApplication = std::make_unique<HeadlessApplication>();
    }
    Director* director = Director::getInstance();
    director->setOpenGLView(HeadlessView::create(width, height));
    FileUtils::getInstance()->setDefaultResourceRootPath(resourceRoot());
}

void shutDownDirector()
{
    Director::getInstance()->end();
    Director::getInstance()->mainLoop();
    PoolManager::getInstance()->getCurrentPool()->clear();
    headlessApplication.reset();
}

void runFrames(int count, float dt)
{
    for (int i = 0; i < count; ++i)
    {
        Director::getInstance()->mainLoop(dt);
    }
}

void runSeconds(float seconds, float dt)
{
    runFrames(static_cast<int>(seconds / dt + 0.5f), dt);
}

void sendMouse(EventMouse::MouseEventType type, float x, float heightAboveBottom, EventMouse::MouseButton button)
{
    const float viewHeight = Director::getInstance()->getOpenGLView()->getFrameSize().height;
    EventMouse event(type);
    event.setCursorPosition(x, heightAboveBottom - viewHeight);
    event.setMouseButton(button);
    Director::getInstance()->getEventDispatcher()->dispatchEvent(&event);
}

void clickAt(float x, float heightAboveBottom)
{
    GLView* view = Director::getInstance()->getOpenGLView();
    const float viewHeight = view->getFrameSize().height;
    intptr_t id = 0;
    float xs[] = {x};
    float ys[] = {viewHeight - heightAboveBottom};
    view->handleTouchesBegin(1, &id, xs, ys);
    sendMouse(EventMouse::MouseEventType::MOUSE_DOWN, x, heightAboveBottom, EventMouse::MouseButton::BUTTON_LEFT);
    view->handleTouchesEnd(1, &id, xs, ys);
    sendMouse(EventMouse::MouseEventType::MOUSE_UP, x, heightAboveBottom, EventMouse::MouseButton::BUTTON_LEFT);
}

std::string resourceRoot()
{
    return SKYVANE_RESOURCES;
}

} // namespace testing_support
