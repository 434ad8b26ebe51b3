#include "EngineDrawing.h"

#include <glad/gl.h>

#include "base/CCDirectorInternals.h"
#include "cocos2d.h"
#include "renderer/CCRenderer.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

#include "XWindow.h"

USING_NS_CC;

namespace {

// The Director reports its frame interval to the process's one Application.
class BenchApplication : public Application
{
public:
    bool applicationDidFinishLaunching() override { return true; }
    void applicationDidEnterBackground() override {}
    void applicationWillEnterForeground() override {}
};

} // namespace

Measurement measureEngine(const SpriteField& field, const FrameBudget& budget, std::vector<std::uint32_t>& capture)
{
    BenchApplication application;
    Director* director = Director::getInstance();
    auto* view = GLViewImpl::createWithRect("render bench", Rect(0, 0, kWindowWidth, kWindowHeight));
    if (view == nullptr)
        return failedMeasurement("no window (see the log above)");
    director->setOpenGLView(view);

    Scene* scene = Scene::create();
    for (const Placement& placed : field.sprites)
    {
        const SpriteImage& image = field.images[placed.image];
        Sprite* sprite = Sprite::create(image.file);
        if (sprite == nullptr)
            return failedMeasurement("cannot load " + image.file);
        // Anchored at the centre, y up: the same pixels as the top-left corner in window terms.
        sprite->setPosition(static_cast<float>(placed.left) + image.width / 2.0f,
                            static_cast<float>(kWindowHeight - placed.top) - image.height / 2.0f);
        scene->addChild(sprite);
    }
    director->runWithScene(scene);

    Display* display = glfwGetX11Display();
    const Window window = glfwGetX11Window(view->getWindow());
    Measurement measured = timeFrames(
        [&] {
            director->mainLoop(1.0f / 60);
            // Done only when the frame has been drawn and has reached the X server.
            glFinish();
            XSync(display, False);
        },
        budget);
    measured.drawCalls = static_cast<long>(DirectorInternals::getRenderer(*director)->getDrawnBatches());
    capture = captureWindow(display, window, 0, 0, kWindowWidth, kWindowHeight);
    return measured;
}
