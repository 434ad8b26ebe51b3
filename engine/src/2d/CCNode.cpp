#include "2d/CCNode.h"

#include <algorithm>
#include <cmath>

#include "2d/CCAction.h"
#include "2d/CCActionManager.h"
#include "2d/CCScene.h"
#include "base/CCAutoreleased.h"
#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "base/CCEventDispatcher.h"
#include "base/CCScheduler.h"
#include "math/CCTransform2D.h"

NS_CC_BEGIN

namespace {
std::uint32_t nextOrderOfArrival = 0;

Mat4 translation(float x, float y)
{
    Mat4 t;
    Mat4::createTranslation(x, y, 0.0f, &t);
    return t;
}

Mat4 rotationZ(float radians)
{
    Mat4 r;
    Mat4::createRotationZ(radians, &r);
    return r;
}

Mat4 scale(float x, float y)
{
    Mat4 s;
    Mat4::createScale(x, y, 1.0f, &s);
    return s;
}
} // namespace

Node* Node::create()
{
    return createAutoreleased<Node>([&](Node& node) { return node.init(); });
}

Node::Node()
{
    Director* director = Director::getInstance();
    _scheduler = director->getScheduler();
    _actionManager = director->getActionManager();
    _eventDispatcher = director->getEventDispatcher();
    _scheduler->retain();
    _actionManager->retain();
    _eventDispatcher->retain();
}

Node::~Node()
{
    for (Node* child : _children)
    {
        child->_parent = nullptr;
    }
    stopAllActions();
    unscheduleAllCallbacks();
    _eventDispatcher->removeEventListenersForTarget(this);
    _children.clear();
    _eventDispatcher->release();
    _actionManager->release();
    _scheduler->release();
}

bool Node::init()
{
    return true;
}

void Node::addChild(Node* child)
{
    addChild(child, child ? child->_localZOrder : 0, child ? child->_name : std::string());
}

void Node::addChild(Node* child, int localZOrder)
{
    addChild(child, localZOrder, child ? child->_name : std::string());
}

void Node::addChild(Node* child, int localZOrder, int tag)
{
    if (!child || child->_parent)
    {
        log("Node::addChild: the child is null or already has a parent; ignored");
        return;
    }
    child->_tag = tag;
    addChild(child, localZOrder, child->_name);
}

void Node::addChild(Node* child, int localZOrder, const std::string& name)
{
    if (!child || child->_parent)
    {
        log("Node::addChild: the child is null or already has a parent; ignored");
        return;
    }
    _children.pushBack(child);
    child->_localZOrder = localZOrder;
    child->_name = name;
    child->setParent(this);
    child->_orderOfArrival = ++nextOrderOfArrival;
    _reorderChildDirty = true;
    if (_running)
    {
        child->onEnter();
        // A child added while its parent enters hears it with the parent's children.
        if (_transitionFinished)
        {
            child->onEnterTransitionDidFinish();
        }
    }
}

Node* Node::getChildByTag(int tag) const
{
    for (Node* child : _children)
    {
        if (child->_tag == tag)
        {
            return child;
        }
    }
    return nullptr;
}

Node* Node::getChildByName(const std::string& name) const
{
    for (Node* child : _children)
    {
        if (child->_name == name)
        {
            return child;
        }
    }
    return nullptr;
}

void Node::removeFromParent()
{
    removeFromParentAndCleanup(true);
}

void Node::removeFromParentAndCleanup(bool cleanup)
{
    if (_parent)
    {
        _parent->removeChild(this, cleanup);
    }
}

void Node::removeChild(Node* child, bool cleanup)
{
    const ssize_t index = _children.getIndex(child);
    if (index < 0)
    {
        return;
    }
    detachChild(child, cleanup);
    // The index may have moved while the child exited.
    _children.eraseObject(child);
}

void Node::detachChild(Node* child, bool cleanup)
{
    if (_running)
    {
        child->onExitTransitionDidStart();
        child->onExit();
    }
    if (cleanup)
    {
        child->cleanup();
    }
    child->setParent(nullptr);
}

void Node::removeChildByTag(int tag, bool cleanup)
{
    if (Node* child = getChildByTag(tag))
    {
        removeChild(child, cleanup);
    }
    else
    {
        log("Node::removeChildByTag: no child with tag %d", tag);
    }
}

void Node::removeAllChildren()
{
    removeAllChildrenWithCleanup(true);
}

void Node::removeAllChildrenWithCleanup(bool cleanup)
{
    Vector<Node*> leaving(_children);
    for (Node* child : leaving)
    {
        detachChild(child, cleanup);
    }
    _children.clear();
}

void Node::reorderChild(Node* child, int localZOrder)
{
    if (child && _children.contains(child))
    {
        child->_localZOrder = localZOrder;
        child->_orderOfArrival = ++nextOrderOfArrival;
        _reorderChildDirty = true;
    }
}

void Node::sortAllChildren()
{
    if (!_reorderChildDirty)
    {
        return;
    }
    // Arrival numbers are unique: no two children compare equal.
    std::sort(_children.begin(), _children.end(), [](const Node* a, const Node* b) {
        return a->_localZOrder != b->_localZOrder ? a->_localZOrder < b->_localZOrder
                                                  : a->_orderOfArrival < b->_orderOfArrival;
    });
    _reorderChildDirty = false;
}

void Node::setLocalZOrder(std::int32_t localZOrder)
{
    if (localZOrder == _localZOrder)
    {
        return;
    }
    if (_parent)
    {
        _parent->reorderChild(this, localZOrder);
    }
    else
    {
        _localZOrder = localZOrder;
    }
}

void Node::setPosition(const Vec2& position)
{
    _position = position;
}

void Node::setPosition(float x, float y)
{
    _position.set(x, y);
}

void Node::setPositionX(float x)
{
    _position.x = x;
}

void Node::setPositionY(float y)
{
    _position.y = y;
}

void Node::setContentSize(const Size& contentSize)
{
    _contentSize = contentSize;
    updateAnchorPointInPoints();
}

void Node::setAnchorPoint(const Vec2& anchorPoint)
{
    _anchorPoint = anchorPoint;
    updateAnchorPointInPoints();
}

void Node::updateAnchorPointInPoints()
{
    _anchorPointInPoints.set(_contentSize.width * _anchorPoint.x, _contentSize.height * _anchorPoint.y);
}

void Node::setIgnoreAnchorPointForPosition(bool ignore)
{
    _ignoreAnchorPointForPosition = ignore;
}

void Node::setScale(float scale)
{
    _scaleX = _scaleY = scale;
}

void Node::setScaleX(float scaleX)
{
    _scaleX = scaleX;
}

void Node::setScaleY(float scaleY)
{
    _scaleY = scaleY;
}

void Node::setRotation(float degrees)
{
    _rotation = degrees;
}

Mat4 Node::getNodeToParentTransform() const
{
    // Positive rotation turns clockwise, as in the engine.
    const float radians = -_rotation * 3.14159265358979f / 180.0f;
    Mat4 local = translation(_position.x, _position.y);
    if (_ignoreAnchorPointForPosition)
    {
        // The corner sits at the position at scale 1; scaling still happens about the anchor.
        local = local * translation(_anchorPointInPoints.x, _anchorPointInPoints.y);
    }
    if (radians != 0.0f)
    {
        local = local * rotationZ(radians);
    }
    if (_scaleX != 1.0f || _scaleY != 1.0f)
    {
        local = local * scale(_scaleX, _scaleY);
    }
    return local * translation(-_anchorPointInPoints.x, -_anchorPointInPoints.y);
}

Mat4 Node::getNodeToWorldTransform() const
{
    Mat4 transform = getNodeToParentTransform();
    for (const Node* p = _parent; p; p = p->_parent)
    {
        transform = p->getNodeToParentTransform() * transform;
    }
    return transform;
}

Vec2 Node::convertToWorldSpace(const Vec2& nodePoint) const
{
    const Vec3 world = transformed(getNodeToWorldTransform(), nodePoint.x, nodePoint.y);
    return Vec2(world.x, world.y);
}

Vec2 Node::convertToNodeSpace(const Vec2& worldPoint) const
{
    // Affine 2-D inverse of the node-to-world transform.
    const Mat4 t = getNodeToWorldTransform();
    const float a = t.m[0], b = t.m[1], c = t.m[4], d = t.m[5];
    const float determinant = a * d - b * c;
    if (determinant == 0.0f)
    {
        return Vec2::ZERO;
    }
    const float x = worldPoint.x - t.m[12];
    const float y = worldPoint.y - t.m[13];
    return Vec2((d * x - c * y) / determinant, (-b * x + a * y) / determinant);
}

Rect Node::getBoundingBox() const
{
    const Mat4 t = getNodeToParentTransform();
    const Vec3 corners[4] = {transformed(t, 0, 0), transformed(t, _contentSize.width, 0),
                             transformed(t, 0, _contentSize.height),
                             transformed(t, _contentSize.width, _contentSize.height)};
    float minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (const Vec3& corner : corners)
    {
        minX = std::min(minX, corner.x);
        maxX = std::max(maxX, corner.x);
        minY = std::min(minY, corner.y);
        maxY = std::max(maxY, corner.y);
    }
    return Rect(minX, minY, maxX - minX, maxY - minY);
}

Action* Node::runAction(Action* action)
{
    _actionManager->addAction(action, this, !_running);
    return action;
}

void Node::stopAllActions()
{
    _actionManager->removeAllActionsFromTarget(this);
}

void Node::stopAction(Action* action)
{
    _actionManager->removeAction(action);
}

void Node::stopActionByTag(int tag)
{
    _actionManager->removeActionByTag(tag, this);
}

Action* Node::getActionByTag(int tag)
{
    return _actionManager->getActionByTag(tag, this);
}

ssize_t Node::getNumberOfRunningActions() const
{
    return _actionManager->getNumberOfRunningActionsInTarget(this);
}

void Node::schedule(SEL_SCHEDULE selector)
{
    schedule(selector, 0.0f, CC_REPEAT_FOREVER, 0.0f);
}

void Node::schedule(SEL_SCHEDULE selector, float interval)
{
    schedule(selector, interval, CC_REPEAT_FOREVER, 0.0f);
}

void Node::schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay)
{
    _scheduler->schedule(selector, this, std::max(0.0f, interval), repeat, delay, !_running);
}

void Node::scheduleOnce(SEL_SCHEDULE selector, float delay)
{
    schedule(selector, 0.0f, 0, delay);
}

void Node::schedule(const std::function<void(float)>& callback, const std::string& key)
{
    schedule(callback, 0.0f, CC_REPEAT_FOREVER, 0.0f, key);
}

void Node::schedule(const std::function<void(float)>& callback, float interval, const std::string& key)
{
    schedule(callback, interval, CC_REPEAT_FOREVER, 0.0f, key);
}

void Node::schedule(const std::function<void(float)>& callback, float interval, unsigned int repeat, float delay,
                    const std::string& key)
{
    _scheduler->schedule(callback, this, std::max(0.0f, interval), repeat, delay, !_running, key);
}

void Node::unschedule(SEL_SCHEDULE selector)
{
    _scheduler->unschedule(selector, this);
}

void Node::unschedule(const std::string& key)
{
    _scheduler->unschedule(key, this);
}

void Node::unscheduleAllCallbacks()
{
    _scheduler->unscheduleAllForTarget(this);
}

bool Node::isScheduled(SEL_SCHEDULE selector) const
{
    return _scheduler->isScheduled(selector, this);
}

void Node::scheduleUpdate()
{
    scheduleUpdateWithPriority(0);
}

void Node::scheduleUpdateWithPriority(int priority)
{
    _scheduler->scheduleUpdate(this, priority, !_running);
}

void Node::unscheduleUpdate()
{
    _scheduler->unscheduleUpdate(this);
}

void Node::update(float)
{
}

void Node::onEnter()
{
    _transitionFinished = false;
    // Children may change while they enter: walk a copy.
    Vector<Node*> entering(_children);
    for (Node* child : entering)
    {
        child->onEnter();
    }
    resume();
    _running = true;
}

void Node::onEnterTransitionDidFinish()
{
    _transitionFinished = true;
    Vector<Node*> children(_children);
    for (Node* child : children)
    {
        child->onEnterTransitionDidFinish();
    }
}

void Node::onExitTransitionDidStart()
{
    _transitionFinished = false;
    Vector<Node*> children(_children);
    for (Node* child : children)
    {
        child->onExitTransitionDidStart();
    }
}

void Node::onExit()
{
    pause();
    _running = false;
    Vector<Node*> leaving(_children);
    for (Node* child : leaving)
    {
        child->onExit();
    }
}

void Node::cleanup()
{
    stopAllActions();
    unscheduleAllCallbacks();
    Vector<Node*> children(_children);
    for (Node* child : children)
    {
        child->cleanup();
    }
}

void Node::pause()
{
    _scheduler->pauseTarget(this);
    _actionManager->pauseTarget(this);
    _eventDispatcher->pauseEventListenersForTarget(this);
}

void Node::resume()
{
    _scheduler->resumeTarget(this);
    _actionManager->resumeTarget(this);
    _eventDispatcher->resumeEventListenersForTarget(this);
}

Scene* Node::getScene() const
{
    const Node* node = this;
    while (node->_parent)
    {
        node = node->_parent;
    }
    return dynamic_cast<Scene*>(const_cast<Node*>(node));
}

void Node::visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags)
{
    if (!_visible)
    {
        return;
    }
    const Mat4 transform = parentTransform * getNodeToParentTransform();
    sortAllChildren();
    auto it = _children.begin();
    for (; it != _children.end() && (*it)->_localZOrder < 0; ++it)
    {
        (*it)->visit(renderer, transform, parentFlags);
    }
    draw(renderer, transform, parentFlags);
    for (; it != _children.end(); ++it)
    {
        (*it)->visit(renderer, transform, parentFlags);
    }
}

void Node::draw(Renderer*, const Mat4&, uint32_t)
{
}

NS_CC_END
