#pragma once

#include "cocos2d.h"

namespace testing_support {

// A view without a window or GL context: images are decoded and sized, nothing is drawn.
class HeadlessView : public cocos2d::GLView
{
public:
    // With queueFrames, the view says its GL is ready: the Director then queues each frame
    // whole, the scene and the statistics display, for a renderer that finds no GL to draw with.
    static HeadlessView* create(float width = 960, float height = 640, bool queueFrames = false)
    {
        auto* view = createFramed<HeadlessView>(width, height);
        view->_queueFrames = queueFrames;
        return view;
    }

    void end() override { release(); }
    bool isOpenGLReady() override { return _queueFrames; }
    void swapBuffers() override {}
    void setIMEKeyboardState(bool) override {}

protected:
    // The factory body of this view and of the tests' own kinds of it.
    template <typename View>
    static View* createFramed(float width = 960, float height = 640)
    {
        auto* view = new View();
        view->setFrameSize(width, height);
        view->autorelease();
        return view;
    }

private:
    bool _queueFrames = false;
};

} // namespace testing_support
