#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "base/CCRef.h"
#include "base/ccTypes.h"

enum class ResolutionPolicy
{
    EXACT_FIT,
    NO_BORDER,
    SHOW_ALL,
    FIXED_HEIGHT,
    FIXED_WIDTH,
    UNKNOWN,
};

struct GLContextAttrs
{
    int redBits;
    int greenBits;
    int blueBits;
    int alphaBits;
    int depthBits;
    int stencilBits;
    int multisamplingCount;
};

NS_CC_BEGIN

class Touch;

// What the Director needs of a window. A subclass that implements the pure virtual
// operations and calls setFrameSize is a complete view; without GL nothing is drawn.
class GLView : public Ref
{
public:
    GLView();
    ~GLView() override;

    virtual void end() = 0;
    virtual bool isOpenGLReady() = 0;
    virtual void swapBuffers() = 0;
    virtual void setIMEKeyboardState(bool open) = 0;
    virtual bool windowShouldClose() { return false; }
    virtual void pollEvents() {}

    static void setGLContextAttrs(GLContextAttrs& glContextAttrs);
    static GLContextAttrs getGLContextAttrs();

    virtual Size getFrameSize() const { return _screenSize; }
    virtual void setFrameSize(float width, float height);
    virtual Size getVisibleSize() const;
    virtual Vec2 getVisibleOrigin() const;
    virtual void setDesignResolutionSize(float width, float height, ResolutionPolicy resolutionPolicy);
    virtual const Size& getDesignResolutionSize() const { return _designResolutionSize; }
    ResolutionPolicy getResolutionPolicy() const { return _resolutionPolicy; }
    const Rect& getViewPortRect() const { return _viewPortRect; }
    float getScaleX() const { return _scaleX; }
    float getScaleY() const { return _scaleY; }
    // Where the frame is drawn in the framebuffer, in pixels from its bottom-left corner. The
    // whole framebuffer, unless the desktop forced the window to a size of its own.
    virtual Rect getFrameRectInPixels() const { return Rect(Vec2::ZERO, _screenSize); }

    const std::string& getViewName() const { return _viewName; }
    void setViewName(const std::string& viewName) { _viewName = viewName; }

    // Touches in window coordinates (UI: origin top-left), dispatched to the running scene.
    virtual void handleTouchesBegin(int num, intptr_t ids[], float xs[], float ys[]);
    virtual void handleTouchesMove(int num, intptr_t ids[], float xs[], float ys[]);
    virtual void handleTouchesEnd(int num, intptr_t ids[], float xs[], float ys[]);
    virtual void handleTouchesCancel(int num, intptr_t ids[], float xs[], float ys[]);

protected:
    void updateDesignResolutionSize();
    void handleTouchesOfEndOrCancel(int eventCode, int num, intptr_t ids[], float xs[], float ys[]);
    // Window coordinates to design units inside the viewport.
    void placeTouch(Touch* touch, int id, float x, float y) const;
    void dispatchTouches(int eventCode, const std::vector<Touch*>& touches);

    Size _screenSize;
    Size _designResolutionSize;
    Rect _viewPortRect;
    std::string _viewName;
    float _scaleX = 1.0f;
    float _scaleY = 1.0f;
    ResolutionPolicy _resolutionPolicy = ResolutionPolicy::UNKNOWN;

private:
    // The touches of `ids` that are down, placed at their new points; `forget` lets them go from the view.
    std::vector<Touch*> placeKnownTouches(int num, intptr_t ids[], float xs[], float ys[], bool forget);

    std::unordered_map<intptr_t, Touch*> _touches;
};

NS_CC_END
