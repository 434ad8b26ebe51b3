#pragma once

#include "2d/CCLayer.h"
#include "2d/CCMenu.h"
#include "2d/CCNode.h"
#include "2d/CCScene.h"
#include "2d/CCSprite.h"
#include "base/CCDirector.h"
#include "math/CCGeometry.h"

NS_CC_BEGIN

typedef Vec2 CCPoint;
typedef Size CCSize;
typedef Rect CCRect;
typedef Node CCNode;
typedef Director CCDirector;
typedef Sprite CCSprite;
typedef Layer CCLayer;
typedef Scene CCScene;
typedef Menu CCMenu;

inline Vec2 ccp(float x, float y)
{
    return Vec2(x, y);
}

NS_CC_END
