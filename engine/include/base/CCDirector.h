#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "base/CCRef.h"
#include "base/CCVector.h"
#include "base/ccTypes.h"

NS_CC_BEGIN

class ActionManager;
class EventDispatcher;
class GLView;
class Node;
class Renderer;
class Scene;
class Scheduler;
class StatsDisplay;
class TextureCache;

class Director : public Ref
{
public:
    static Director* getInstance();
    ~Director() override;

    GLView* getOpenGLView() { return _openGLView; }
    void setOpenGLView(GLView* openGLView);

    bool isDisplayStats() { return _displayStats; }
    void setDisplayStats(bool displayStats) { _displayStats = displayStats; }

    // A double, not 3.17's float: the game hands it the double 1.0 / 60 and keeps it exact.
    double getAnimationInterval() { return _animationInterval; }
    void setAnimationInterval(double interval);

    const Size& getWinSize() const { return _winSizeInPoints; }
    Size getWinSizeInPixels() const { return _winSizeInPoints; }
    Size getVisibleSize() const;
    Vec2 getVisibleOrigin() const;
    Vec2 convertToGL(const Vec2& point);
    Vec2 convertToUI(const Vec2& point);

    Scene* getRunningScene() { return _runningScene; }
    void runWithScene(Scene* scene);
    void replaceScene(Scene* scene);
    void pushScene(Scene* scene);
    void popScene();
    void end();
    void pause();
    void resume();
    bool isPaused() { return _paused; }
    bool isValid() const { return !_invalid; }
    void stopAnimation();
    void startAnimation();

    // One whole frame with the time measured since the last one.
    void mainLoop();
    // One whole frame with a fixed time step: the deterministic path of tests and tools.
    void mainLoop(float dt);
    void drawScene();

    Scheduler* getScheduler() const { return _scheduler; }
    ActionManager* getActionManager() const { return _actionManager; }
    EventDispatcher* getEventDispatcher() const { return _eventDispatcher; }
    TextureCache* getTextureCache() const { return _textureCache.get(); }

    unsigned int getTotalFrames() { return _totalFrames; }
    float getDeltaTime() const { return _deltaTime; }
    void setNextDeltaTimeZero(bool nextDeltaTimeZero) { _nextDeltaTimeZero = nextDeltaTimeZero; }
    float getFrameRate() const;

protected:
    Director();
    void reset();
    void purgeDirector();

private:
    // The renderer and the statistics display are the engine's own (base/CCDirectorInternals.h).
    friend class DirectorInternals;

    void calculateDeltaTime();
    void setNextScene();
    void renderFrame();
    void updateStats();
    void drawStats();

    GLView* _openGLView = nullptr;
    Scheduler* _scheduler = nullptr;
    ActionManager* _actionManager = nullptr;
    EventDispatcher* _eventDispatcher = nullptr;
    std::unique_ptr<TextureCache> _textureCache;
    std::unique_ptr<Renderer> _renderer;
    std::unique_ptr<StatsDisplay> _stats;

    double _animationInterval = 1.0 / 60;
    double _oldAnimationInterval = 1.0 / 60;
    bool _displayStats = false;
    bool _paused = false;
    bool _invalid = true;
    bool _purgeDirectorInNextLoop = false;
    bool _nextDeltaTimeZero = false;
    bool _fixedStep = false;
    float _fixedDeltaTime = 0.0f;
    float _deltaTime = 0.0f;
    std::chrono::steady_clock::time_point _lastUpdate;
    unsigned int _totalFrames = 0;
    Size _winSizeInPoints;

    Scene* _runningScene = nullptr;
    Scene* _nextScene = nullptr;
    bool _sendCleanupToScene = false;
    Vector<Scene*> _scenesStack;
};

NS_CC_END
