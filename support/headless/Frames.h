#pragma once

#include <string>

#include "cocos2d.h"

namespace testing_support {

constexpr float kFrame = 1.0f / 60;

// Gives the Director a fresh headless view of the given size, and the process an Application
// if it has none.
void startHeadless(float width = 960, float height = 640);
// Ends the Director and drains every pending release, so the next test starts clean; the
// Application startHeadless made goes too.
void shutDownDirector();
// Runs whole frames with a fixed step.
void runFrames(int count, float dt = kFrame);
// Runs frames until the given time of play has passed.
void runSeconds(float seconds, float dt = kFrame);

// Mouse input as the desktop view delivers it without a design resolution: the cursor's y is
// the pointer's height above the bottom minus the view's height.
void sendMouse(cocos2d::EventMouse::MouseEventType type, float x, float heightAboveBottom,
               cocos2d::EventMouse::MouseButton button = cocos2d::EventMouse::MouseButton::BUTTON_UNSET);
// A left click at a point given from the bottom-left, as touch then mouse, as the view does.
void clickAt(float x, float heightAboveBottom);

// Resource folder of the build, where the assembled pictures and font live.
std::string resourceRoot();

} // namespace testing_support
