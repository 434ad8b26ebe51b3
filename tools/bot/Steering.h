#pragma once

#include "HelloWorld.h"

// The pointer height the bot wants: away from the nearest threat in the craft's way, off the top
// and bottom edges; the craft's own height when it can stay where it is.
float chooseHeight(const HelloWorld& layer, const cocos2d::Node& player);
