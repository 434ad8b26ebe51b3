#include "base/CCDirector.h"

#include "2d/CCActionManager.h"
#include "2d/CCFontAtlas.h"
#include "2d/CCScene.h"
#include "base/CCAutoreleasePool.h"
#include "base/CCDirectorInternals.h"
#include "base/CCEventDispatcher.h"
#include "base/CCScheduler.h"
#include "base/CCStatsDisplay.h"
#include "platform/CCApplication.h"
#include "platform/CCFileUtils.h"
#include "platform/CCGLView.h"
#include "renderer/CCRenderer.h"
#include "renderer/CCTextureCache.h"

NS_CC_BEGIN

namespace {
Director* sharedDirector = nullptr;
constexpr float kLongestFrame = 0.2f;
}

Director* Director::getInstance()
{
    if (!sharedDirector)
    {
        sharedDirector = new (std::nothrow) Director();
        CCASSERT(sharedDirector, "FATAL: Not enough memory");
    }
    return sharedDirector;
}

Director::Director()
    : _scheduler(new Scheduler()),
      _actionManager(new ActionManager()),
      _eventDispatcher(new EventDispatcher()),
      _textureCache(std::make_unique<TextureCache>()),
      _renderer(std::make_unique<Renderer>()),
      _stats(std::make_unique<StatsDisplay>()),
      _lastUpdate(std::chrono::steady_clock::now())
{
    _scheduler->scheduleUpdate(_actionManager, Scheduler::PRIORITY_SYSTEM, false);
}

Director::~Director()
{
    _stats->reset();
    _scenesStack.clear();
    CC_SAFE_RELEASE(_openGLView);
    _scheduler->unscheduleAll();
    _actionManager->release();
    _eventDispatcher->release();
    _scheduler->release();
    if (sharedDirector == this)
    {
        sharedDirector = nullptr;
    }
}

void Director::setOpenGLView(GLView* openGLView)
{
    if (!openGLView)
    {
        log("Director::setOpenGLView: no view was given; the Director keeps running without one");
        return;
    }
    if (openGLView != _openGLView)
    {
        openGLView->retain();
        CC_SAFE_RELEASE(_openGLView);
        _openGLView = openGLView;
        _winSizeInPoints = openGLView->getDesignResolutionSize();
        _eventDispatcher->setEnabled(true);
    }
}

void Director::setAnimationInterval(double interval)
{
    _animationInterval = interval;
    if (!_invalid)
    {
        stopAnimation();
        startAnimation();
    }
}

void DirectorInternals::updateWinSizeFromView(Director& director)
{
    if (director._openGLView)
    {
        director._winSizeInPoints = director._openGLView->getDesignResolutionSize();
    }
}

Size Director::getVisibleSize() const
{
    return _openGLView ? _openGLView->getVisibleSize() : Size::ZERO;
}

Vec2 Director::getVisibleOrigin() const
{
    return _openGLView ? _openGLView->getVisibleOrigin() : Vec2::ZERO;
}

Vec2 Director::convertToGL(const Vec2& point)
{
    return Vec2(point.x, _winSizeInPoints.height - point.y);
}

Vec2 Director::convertToUI(const Vec2& point)
{
    return Vec2(point.x, _winSizeInPoints.height - point.y);
}

void Director::runWithScene(Scene* scene)
{
    if (!scene || _runningScene)
    {
        log("Director::runWithScene: %s", scene ? "a scene is already running" : "the scene is null");
        return;
    }
    pushScene(scene);
    startAnimation();
}

void Director::replaceScene(Scene* scene)
{
    if (!scene)
    {
        log("Director::replaceScene: the scene is null; ignored");
        return;
    }
    if (!_runningScene)
    {
        runWithScene(scene);
        return;
    }
    if (scene == _nextScene)
    {
        return;
    }
    if (_nextScene)
    {
        if (_nextScene->isRunning())
        {
            _nextScene->onExit();
        }
        _nextScene->cleanup();
        _nextScene = nullptr;
    }
    _sendCleanupToScene = true;
    _scenesStack.replace(_scenesStack.size() - 1, scene);
    _nextScene = scene;
}

void Director::pushScene(Scene* scene)
{
    if (!scene)
    {
        return;
    }
    _sendCleanupToScene = false;
    _scenesStack.pushBack(scene);
    _nextScene = scene;
}

void Director::popScene()
{
    if (_scenesStack.empty())
    {
        return;
    }
    _scenesStack.popBack();
    if (_scenesStack.empty())
    {
        end();
    }
    else
    {
        _sendCleanupToScene = true;
        _nextScene = _scenesStack.back();
    }
}

void Director::end()
{
    _purgeDirectorInNextLoop = true;
}

void Director::pause()
{
    if (_paused)
    {
        return;
    }
    _oldAnimationInterval = _animationInterval;
    setAnimationInterval(1.0 / 4.0);
    _paused = true;
}

void Director::resume()
{
    if (!_paused)
    {
        return;
    }
    setAnimationInterval(_oldAnimationInterval);
    _paused = false;
    _nextDeltaTimeZero = true;
}

void Director::stopAnimation()
{
    _invalid = true;
}

void Director::startAnimation()
{
    _lastUpdate = std::chrono::steady_clock::now();
    _invalid = false;
    Application::getInstance()->setAnimationInterval(static_cast<float>(_animationInterval));
    _nextDeltaTimeZero = true;
}

void Director::mainLoop()
{
    if (_purgeDirectorInNextLoop)
    {
        _purgeDirectorInNextLoop = false;
        purgeDirector();
        return;
    }
    if (!_invalid)
    {
        drawScene();
        PoolManager::getInstance()->getCurrentPool()->clear();
    }
}

void Director::mainLoop(float dt)
{
    if (_purgeDirectorInNextLoop)
    {
        // The purge deletes this Director: nothing may be written to it afterwards.
        mainLoop();
        return;
    }
    _fixedStep = true;
    _fixedDeltaTime = dt;
    mainLoop();
    _fixedStep = false;
}

void Director::calculateDeltaTime()
{
    const auto now = std::chrono::steady_clock::now();
    if (_nextDeltaTimeZero)
    {
        _deltaTime = 0.0f;
        _nextDeltaTimeZero = false;
    }
    else if (_fixedStep)
    {
        _deltaTime = _fixedDeltaTime;
    }
    else
    {
        const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(now - _lastUpdate).count();
        _deltaTime = elapsed > 0 ? static_cast<float>(elapsed) / 1000000.0f : 0.0f;
    }
    _lastUpdate = now;
    // A stall (a window dragged or its menu held, a stopped process, a machine asleep) would
    // otherwise come back as one long frame, and the scheduler replays every timer it missed
    // at once: a burst of enemies. It counts as one ordinary frame instead.
    if (_deltaTime > kLongestFrame)
    {
        _deltaTime = 1.0f / 60.0f;
    }
}

void Director::drawScene()
{
    calculateDeltaTime();
    if (_openGLView)
    {
        _openGLView->pollEvents();
    }
    if (!_paused)
    {
        _scheduler->update(_deltaTime);
    }
    if (_nextScene)
    {
        setNextScene();
    }
    updateStats();
    if (_openGLView && _openGLView->isOpenGLReady())
    {
        renderFrame();
    }
    ++_totalFrames;
}

void Director::renderFrame()
{
    const Size frame = _openGLView->getFrameSize();
    _renderer->setViewport(_winSizeInPoints.width > 0 ? _winSizeInPoints.width : frame.width,
                           _winSizeInPoints.height > 0 ? _winSizeInPoints.height : frame.height,
                           _openGLView->getFrameRectInPixels());
    _renderer->clear();
    if (_runningScene)
    {
        _runningScene->visit(_renderer.get(), Mat4::IDENTITY, 0);
    }
    if (_displayStats)
    {
        drawStats();
    }
    _renderer->render();
    _openGLView->swapBuffers();
}

void Director::setNextScene()
{
    Scene* leaving = _runningScene;
    if (leaving)
    {
        leaving->onExitTransitionDidStart();
        leaving->onExit();
        if (_sendCleanupToScene)
        {
            leaving->cleanup();
        }
    }
    _runningScene = _nextScene;
    _nextScene = nullptr;
    _runningScene->retain();
    if (leaving)
    {
        leaving->release();
    }
    _runningScene->onEnter();
    _runningScene->onEnterTransitionDidFinish();
}

void Director::updateStats()
{
    _stats->addFrame(_deltaTime);
}

float Director::getFrameRate() const
{
    return _stats->getFrameRate();
}

void Director::drawStats()
{
    // The display starts with the second frame, so that the first comes up without the load
    // of its face.
    if (_totalFrames == 0)
    {
        return;
    }
    _stats->draw(_renderer.get(), getVisibleOrigin());
}

void Director::reset()
{
    if (_runningScene)
    {
        _runningScene->onExitTransitionDidStart();
        _runningScene->onExit();
        _runningScene->cleanup();
        _runningScene->release();
    }
    _runningScene = nullptr;
    _nextScene = nullptr;
    _scheduler->unscheduleAll();
    // Actions of nodes outside the scene would otherwise keep those nodes, and through
    // them the action manager, alive for good.
    _actionManager->removeAllActions();
    _eventDispatcher->removeAllEventListeners();
    _scenesStack.clear();
    _stats->reset();
    stopAnimation();
    _textureCache->removeAllTextures();
    FontAtlas::releaseCached();
    FileUtils::destroyInstance();
}

void Director::purgeDirector()
{
    reset();
    if (_openGLView)
    {
        GLView* view = _openGLView;
        _openGLView = nullptr;
        view->end();
    }
    sharedDirector = nullptr;
    release();
}

NS_CC_END
