#pragma once

// The whole engine: the only header the game includes.

#include "base/CCPlatformConfig.h"
#include "base/CCPlatformMacros.h"
#include "base/ccConfig.h"
#include "base/ccMacros.h"
#include "base/ccTypes.h"

#include "base/CCAutoreleasePool.h"
#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "base/CCEvent.h"
#include "base/CCEventDispatcher.h"
#include "base/CCEventListener.h"
#include "base/CCEventListenerMouse.h"
#include "base/CCEventListenerTouch.h"
#include "base/CCEventMouse.h"
#include "base/CCEventTouch.h"
#include "base/CCRef.h"
#include "base/CCScheduler.h"
#include "base/CCTouch.h"
#include "base/CCVector.h"

#include "math/CCGeometry.h"
#include "math/Mat4.h"
#include "math/Vec2.h"

#include "2d/CCAction.h"
#include "2d/CCActionInstant.h"
#include "2d/CCActionInterval.h"
#include "2d/CCActionManager.h"
#include "2d/CCLabel.h"
#include "2d/CCLabelTTF.h"
#include "2d/CCLayer.h"
#include "2d/CCMenu.h"
#include "2d/CCMenuItem.h"
#include "2d/CCNode.h"
#include "2d/CCScene.h"
#include "2d/CCSprite.h"

#include "renderer/CCTexture2D.h"
#include "renderer/CCTextureCache.h"

#include "platform/CCApplication.h"
#include "platform/CCFileUtils.h"
#include "platform/CCGLView.h"
#include "platform/desktop/CCGLViewImpl-desktop.h"
