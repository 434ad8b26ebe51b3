#include "AppDelegate.h"

#include "HelloWorld.h"
#include "MissingResources.h"

USING_NS_CC;

AppDelegate::AppDelegate() = default;

AppDelegate::~AppDelegate() = default;

void AppDelegate::initGLContextAttrs()
{
    GLContextAttrs glContextAttrs = {8, 8, 8, 8, 24, 8, 0};
    GLView::setGLContextAttrs(glContextAttrs);
}

bool AppDelegate::applicationDidFinishLaunching()
{
    Director* director = Director::getInstance();
    GLView* glview = director->getOpenGLView();
    if (!glview)
    {
        glview = GLViewImpl::create("My Game");
        if (!glview)
        {
            // The view has said why; there is nothing to play in.
            return false;
        }
        director->setOpenGLView(glview);
    }
    director->setDisplayStats(true);
    director->setAnimationInterval(1.0 / 60);

    Scene* scene = HelloWorld::makeScene();
    if (!scene)
    {
        // A required picture or font is missing or broken; the engine named the file.
        reportMissingResources();
        return false;
    }
    director->runWithScene(scene);
    return true;
}

void AppDelegate::applicationDidEnterBackground()
{
    Director::getInstance()->stopAnimation();
}

void AppDelegate::applicationWillEnterForeground()
{
    Director::getInstance()->startAnimation();
}
