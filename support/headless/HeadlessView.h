#pragma once

#include "cocos2d.h"

namespace testing_support {

// A view without a window or GL context: images are decoded and sized, nothing is drawn.
class HeadlessView : public cocos2d::GLView
{
public:
    static HeadlessView* create(float width = 960, float height = 640)
    {
        auto* view = new HeadlessView();
        view->setFrameSize(width, height);
        view->autorelease();
        return view;
    }

    void end() override { release(); }
    bool isOpenGLReady() override { return false; }
    void swapBuffers() override {}
    void setIMEKeyboardState(bool) override {}
};

} // namespace testing_support
