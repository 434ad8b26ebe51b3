#include "platform/CCGLView.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/CCDirectorInternals.h"
#include "base/CCEventDispatcher.h"
#include "base/CCEventTouch.h"
#include "base/CCTouch.h"

NS_CC_BEGIN

namespace {
GLContextAttrs contextAttrs = {8, 8, 8, 8, 24, 8, 0};
}

GLView::GLView() = default;

GLView::~GLView()
{
    for (auto& entry : _touches)
    {
        entry.second->release();
    }
}

void GLView::setGLContextAttrs(GLContextAttrs& glContextAttrs)
{
    contextAttrs = glContextAttrs;
}

GLContextAttrs GLView::getGLContextAttrs()
{
    return contextAttrs;
}

void GLView::setFrameSize(float width, float height)
{
    _screenSize = Size(width, height);
    // Without a design resolution the design follows the frame; no viewport is computed.
    if (_designResolutionSize.width == 0.0f && _designResolutionSize.height == 0.0f)
    {
        _designResolutionSize = _screenSize;
    }
}

Size GLView::getVisibleSize() const
{
    if (_resolutionPolicy == ResolutionPolicy::NO_BORDER)
    {
        return Size(_screenSize.width / _scaleX, _screenSize.height / _scaleY);
    }
    return _designResolutionSize;
}

Vec2 GLView::getVisibleOrigin() const
{
    if (_resolutionPolicy == ResolutionPolicy::NO_BORDER)
    {
        return Vec2((_designResolutionSize.width - _screenSize.width / _scaleX) / 2.0f,
                    (_designResolutionSize.height - _screenSize.height / _scaleY) / 2.0f);
    }
    return Vec2::ZERO;
}

void GLView::setDesignResolutionSize(float width, float height, ResolutionPolicy resolutionPolicy)
{
    if (width == 0.0f || height == 0.0f || resolutionPolicy == ResolutionPolicy::UNKNOWN)
    {
        return;
    }
    _designResolutionSize = Size(width, height);
    _resolutionPolicy = resolutionPolicy;
    updateDesignResolutionSize();
}

void GLView::updateDesignResolutionSize()
{
    if (_screenSize.width <= 0 || _screenSize.height <= 0 || _designResolutionSize.width <= 0 ||
        _designResolutionSize.height <= 0)
    {
        return;
    }
    _scaleX = _screenSize.width / _designResolutionSize.width;
    _scaleY = _screenSize.height / _designResolutionSize.height;
    switch (_resolutionPolicy)
    {
    case ResolutionPolicy::NO_BORDER: _scaleX = _scaleY = std::max(_scaleX, _scaleY); break;
    case ResolutionPolicy::SHOW_ALL: _scaleX = _scaleY = std::min(_scaleX, _scaleY); break;
    case ResolutionPolicy::FIXED_HEIGHT:
        _scaleX = _scaleY;
        _designResolutionSize.width = std::ceil(_screenSize.width / _scaleX);
        break;
    case ResolutionPolicy::FIXED_WIDTH:
        _scaleY = _scaleX;
        _designResolutionSize.height = std::ceil(_screenSize.height / _scaleY);
        break;
    case ResolutionPolicy::EXACT_FIT:
    case ResolutionPolicy::UNKNOWN: break;
    }
    const float viewPortWidth = _designResolutionSize.width * _scaleX;
    const float viewPortHeight = _designResolutionSize.height * _scaleY;
    _viewPortRect.setRect((_screenSize.width - viewPortWidth) / 2.0f, (_screenSize.height - viewPortHeight) / 2.0f,
                          viewPortWidth, viewPortHeight);
    DirectorInternals::updateWinSizeFromView(*Director::getInstance());
}

void GLView::placeTouch(Touch* touch, int id, float x, float y) const
{
    touch->setTouchInfo(id, (x - _viewPortRect.origin.x) / _scaleX, (y - _viewPortRect.origin.y) / _scaleY);
}

void GLView::dispatchTouches(int eventCode, const std::vector<Touch*>& touches)
{
    if (touches.empty())
    {
        return;
    }
    EventTouch event;
    event.setEventCode(static_cast<EventTouch::EventCode>(eventCode));
    event.setTouches(touches);
    // Keep this view alive: a handler may end the Director, which lets go of the view.
    retain();
    Director::getInstance()->getEventDispatcher()->dispatchEvent(&event);
    release();
}

void GLView::handleTouchesBegin(int num, intptr_t ids[], float xs[], float ys[])
{
    std::vector<Touch*> began;
    for (int i = 0; i < num && static_cast<int>(_touches.size()) < EventTouch::MAX_TOUCHES; ++i)
    {
        if (_touches.count(ids[i]))
        {
            continue;
        }
        auto* touch = new Touch();
        placeTouch(touch, static_cast<int>(ids[i]), xs[i], ys[i]);
        _touches[ids[i]] = touch;
        began.push_back(touch);
    }
    dispatchTouches(static_cast<int>(EventTouch::EventCode::BEGAN), began);
}

std::vector<Touch*> GLView::placeKnownTouches(int num, intptr_t ids[], float xs[], float ys[], bool forget)
{
    std::vector<Touch*> placed;
    for (int i = 0; i < num; ++i)
    {
        auto found = _touches.find(ids[i]);
        if (found == _touches.end())
        {
            continue;
        }
        placeTouch(found->second, found->second->getID(), xs[i], ys[i]);
        placed.push_back(found->second);
        if (forget)
        {
            _touches.erase(found);
        }
    }
    return placed;
}

void GLView::handleTouchesMove(int num, intptr_t ids[], float xs[], float ys[])
{
    dispatchTouches(static_cast<int>(EventTouch::EventCode::MOVED), placeKnownTouches(num, ids, xs, ys, false));
}

void GLView::handleTouchesEnd(int num, intptr_t ids[], float xs[], float ys[])
{
    const std::vector<Touch*> ending = placeKnownTouches(num, ids, xs, ys, true);
    dispatchTouches(static_cast<int>(EventTouch::EventCode::ENDED), ending);
    for (Touch* touch : ending)
    {
        touch->release();
    }
}

NS_CC_END
