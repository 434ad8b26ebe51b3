#pragma once

#include <gtest/gtest.h>

#include "Frames.h"
#include "base/CCLiveObjects.h"

namespace testing_support {

// Starts from a purged Director and proves at the end that every engine object made
// during the test died with the Director.
class EngineTest : public ::testing::Test
{
protected:
    EngineTest()
    {
        shutDownDirector(); // whatever an earlier test left behind
        _liveAtStart = cocos2d::liveObjectCount();
    }

    void TearDown() override
    {
        shutDownDirector();
        EXPECT_EQ(cocos2d::liveObjectCount(), _liveAtStart) << "engine objects outlived the Director";
    }

private:
    long _liveAtStart = 0;
};

// A headless Director whose empty scene is already running.
class RunningSceneTest : public EngineTest
{
protected:
    void SetUp() override
    {
        startHeadless();
        scene = cocos2d::Scene::create();
        cocos2d::Director::getInstance()->runWithScene(scene);
        runFrames(1);
        ASSERT_TRUE(scene->isRunning());
    }

    cocos2d::Scene* scene = nullptr;
};

} // namespace testing_support
