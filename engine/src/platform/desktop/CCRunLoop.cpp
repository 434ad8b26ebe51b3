#include "platform/desktop/CCRunLoop.h"

#include "base/CCDirector.h"
#include "platform/CCApplication.h"
#include "platform/CCFramePacer.h"
#include "platform/CCGLView.h"

NS_CC_BEGIN

int runDesktopLoop(Application& application, FramePacer& pacer)
{
    application.initGLContextAttrs();
    // A launch that failed is reported as a failure (exit 1), not as 3.17's clean exit.
    if (!application.applicationDidFinishLaunching())
    {
        return 1;
    }

    Director* director = Director::getInstance();
    GLView* glview = director->getOpenGLView();
    if (!glview)
    {
        // The view has already said why it could not open.
        return 1;
    }
    glview->retain();

    // Pacing comes first so the interval a frame sets (pause, setAnimationInterval) governs
    // the wait that follows it, and the Director is never touched after a purge, which also
    // closes the window.
    while (!glview->windowShouldClose())
    {
        pacer.waitForNextFrame(application.getAnimationInterval());
        director->mainLoop();
        // drawScene polls too, but a minimised game draws nothing: only this poll hears the
        // restore and the close.
        glview->pollEvents();
    }

    if (glview->isOpenGLReady())
    {
        // The user closed the window: shut the Director down the way end() would.
        director->end();
        director->mainLoop();
    }
    glview->release();
    return 0;
}

NS_CC_END
