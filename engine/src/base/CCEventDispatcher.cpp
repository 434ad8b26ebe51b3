#include "base/CCEventDispatcher.h"

#include <algorithm>

#include "2d/CCNode.h"
#include "2d/CCScene.h"
#include "base/CCDirector.h"
#include "base/CCEventListenerMouse.h"
#include "base/CCEventListenerTouch.h"
#include "base/CCEventMouse.h"
#include "base/CCEventTouch.h"
#include "base/CCTouch.h"

NS_CC_BEGIN

namespace {
// Numbers nodes in the order they are drawn: children below zero, the node, the rest.
void rankInDrawOrder(Node* node, const std::unordered_map<Node*, std::vector<EventListener*>>& withListeners,
                     std::unordered_map<const Node*, int>& rank, int& next)
{
    node->sortAllChildren();
    const auto& children = node->getChildren();
    auto it = children.begin();
    for (; it != children.end() && (*it)->getLocalZOrder() < 0; ++it)
    {
        rankInDrawOrder(*it, withListeners, rank, next);
    }
    if (withListeners.count(node))
    {
        rank[node] = next++;
    }
    for (; it != children.end(); ++it)
    {
        rankInDrawOrder(*it, withListeners, rank, next);
    }
}
}

EventDispatcher::EventDispatcher() = default;

bool EventDispatcher::isLive(const EventListener* listener)
{
    return listener->isEnabled() && !listener->isPaused() && listener->isRegistered();
}

EventDispatcher::~EventDispatcher()
{
    removeAllEventListeners();
}

void EventDispatcher::addEventListenerWithSceneGraphPriority(EventListener* listener, Node* node)
{
    if (!listener || !node || listener->isRegistered() || !listener->checkAvailable())
    {
        return;
    }
    listener->setAssociatedNode(node);
    listener->setFixedPriority(0);
    listener->setRegistered(true);
    // A listener sleeps until its node is part of the running scene.
    listener->setPaused(!node->isRunning());
    addListener(listener);
}

void EventDispatcher::addEventListenerWithFixedPriority(EventListener* listener, int fixedPriority)
{
    if (!listener || fixedPriority == 0 || listener->isRegistered() || !listener->checkAvailable())
    {
        return;
    }
    listener->setAssociatedNode(nullptr);
    listener->setFixedPriority(fixedPriority);
    listener->setRegistered(true);
    listener->setPaused(false);
    addListener(listener);
}

void EventDispatcher::addListener(EventListener* listener)
{
    listener->retain();
    if (_inDispatch > 0)
    {
        _toAdd.push_back(listener);
    }
    else
    {
        registerListener(listener);
    }
}

void EventDispatcher::registerListener(EventListener* listener)
{
    _listeners[listener->getListenerID()].push_back(listener);
    if (Node* node = listener->getAssociatedNode())
    {
        _nodeListeners[node].push_back(listener);
    }
}

void EventDispatcher::unregisterListener(EventListener* listener)
{
    listener->setRegistered(false);
    auto& list = _listeners[listener->getListenerID()];
    list.erase(std::remove(list.begin(), list.end(), listener), list.end());
    if (Node* node = listener->getAssociatedNode())
    {
        auto found = _nodeListeners.find(node);
        if (found != _nodeListeners.end())
        {
            auto& nodeList = found->second;
            nodeList.erase(std::remove(nodeList.begin(), nodeList.end(), listener), nodeList.end());
            if (nodeList.empty())
            {
                _nodeListeners.erase(found);
            }
        }
        listener->setAssociatedNode(nullptr);
    }
    auto pending = std::find(_toAdd.begin(), _toAdd.end(), listener);
    if (pending != _toAdd.end())
    {
        _toAdd.erase(pending);
    }
    // A listener may be mid-call: it is freed once the dispatch is over.
    if (_inDispatch > 0)
    {
        _toRelease.push_back(listener);
    }
    else
    {
        listener->release();
    }
}

void EventDispatcher::removeEventListener(EventListener* listener)
{
    if (listener && listener->isRegistered())
    {
        unregisterListener(listener);
    }
}

void EventDispatcher::removeEventListenersForTarget(Node* target, bool recursive)
{
    auto found = _nodeListeners.find(target);
    if (found != _nodeListeners.end())
    {
        const auto listeners = found->second;
        for (EventListener* listener : listeners)
        {
            unregisterListener(listener);
        }
    }
    std::vector<EventListener*> pending;
    for (EventListener* listener : _toAdd)
    {
        if (listener->getAssociatedNode() == target)
        {
            pending.push_back(listener);
        }
    }
    for (EventListener* listener : pending)
    {
        unregisterListener(listener);
    }
    if (recursive)
    {
        for (Node* child : target->getChildren())
        {
            removeEventListenersForTarget(child, true);
        }
    }
}

void EventDispatcher::removeAllEventListeners()
{
    std::vector<EventListener*> all;
    for (const auto& entry : _listeners)
    {
        all.insert(all.end(), entry.second.begin(), entry.second.end());
    }
    all.insert(all.end(), _toAdd.begin(), _toAdd.end());
    for (EventListener* listener : all)
    {
        if (listener->isRegistered())
        {
            unregisterListener(listener);
        }
    }
}

void EventDispatcher::pauseEventListenersForTarget(Node* target, bool recursive)
{
    setListenersPaused(target, recursive, true);
}

void EventDispatcher::resumeEventListenersForTarget(Node* target, bool recursive)
{
    setListenersPaused(target, recursive, false);
}

void EventDispatcher::setListenersPaused(Node* target, bool recursive, bool paused)
{
    auto found = _nodeListeners.find(target);
    if (found != _nodeListeners.end())
    {
        for (EventListener* listener : found->second)
        {
            listener->setPaused(paused);
        }
    }
    for (EventListener* listener : _toAdd)
    {
        if (listener->getAssociatedNode() == target)
        {
            listener->setPaused(paused);
        }
    }
    if (recursive)
    {
        for (Node* child : target->getChildren())
        {
            setListenersPaused(child, true, paused);
        }
    }
}

std::vector<EventListener*> EventDispatcher::orderedListeners(const std::string& listenerID)
{
    auto found = _listeners.find(listenerID);
    if (found == _listeners.end())
    {
        return {};
    }
    std::vector<EventListener*> fixedLow;
    std::vector<EventListener*> sceneGraph;
    std::vector<EventListener*> fixedHigh;
    for (EventListener* listener : found->second)
    {
        if (listener->getAssociatedNode())
        {
            sceneGraph.push_back(listener);
        }
        else if (listener->getFixedPriority() < 0)
        {
            fixedLow.push_back(listener);
        }
        else
        {
            fixedHigh.push_back(listener);
        }
    }
    auto byPriority = [](EventListener* a, EventListener* b) { return a->getFixedPriority() < b->getFixedPriority(); };
    std::stable_sort(fixedLow.begin(), fixedLow.end(), byPriority);
    std::stable_sort(fixedHigh.begin(), fixedHigh.end(), byPriority);

    // Scene-graph listeners hear pointer events only through a running scene.
    Scene* running = Director::getInstance()->getRunningScene();
    if (!running)
    {
        sceneGraph.clear();
    }
    else
    {
        std::unordered_map<const Node*, int> rank;
        int next = 0;
        rankInDrawOrder(running, _nodeListeners, rank, next);
        auto rankOf = [&rank](EventListener* l) {
            auto r = rank.find(l->getAssociatedNode());
            return r == rank.end() ? -1 : r->second;
        };
        std::stable_sort(sceneGraph.begin(), sceneGraph.end(),
                         [&rankOf](EventListener* a, EventListener* b) { return rankOf(a) > rankOf(b); });
    }

    std::vector<EventListener*> ordered;
    ordered.reserve(fixedLow.size() + sceneGraph.size() + fixedHigh.size());
    ordered.insert(ordered.end(), fixedLow.begin(), fixedLow.end());
    ordered.insert(ordered.end(), sceneGraph.begin(), sceneGraph.end());
    ordered.insert(ordered.end(), fixedHigh.begin(), fixedHigh.end());
    return ordered;
}

void EventDispatcher::dispatchEvent(Event* event)
{
    if (!_isEnabled || !event)
    {
        return;
    }
    if (event->getType() == Event::Type::TOUCH)
    {
        dispatchTouchEvent(static_cast<EventTouch*>(event));
        return;
    }
    if (event->getType() != Event::Type::MOUSE)
    {
        return;
    }
    ++_inDispatch;
    for (EventListener* listener : orderedListeners(EventListenerMouse::LISTENER_ID))
    {
        if (event->isStopped())
        {
            break;
        }
        if (isLive(listener))
        {
            event->setCurrentTarget(listener->getAssociatedNode());
            listener->onEvent(event);
        }
    }
    finishDispatch();
}

void EventDispatcher::dispatchTouchEvent(EventTouch* event)
{
    ++_inDispatch;
    const auto listeners = orderedListeners(EventListenerTouchOneByOne::LISTENER_ID);
    const EventTouch::EventCode code = event->getEventCode();
    for (Touch* touch : event->getTouches())
    {
        for (EventListener* base : listeners)
        {
            if (event->isStopped())
            {
                break;
            }
            auto* listener = static_cast<EventListenerTouchOneByOne*>(base);
            if (!isLive(listener))
            {
                continue;
            }
            event->setCurrentTarget(listener->getAssociatedNode());
            bool swallowed = false;
            auto& claimed = listener->_claimedTouches;
            auto claim = std::find(claimed.begin(), claimed.end(), touch);
            if (code == EventTouch::EventCode::BEGAN)
            {
                if (listener->onTouchBegan(touch, event) && listener->isRegistered())
                {
                    claimed.push_back(touch);
                    swallowed = listener->isSwallowTouches();
                }
            }
            else if (claim != claimed.end())
            {
                swallowed = listener->isSwallowTouches();
                if (code == EventTouch::EventCode::MOVED)
                {
                    if (listener->onTouchMoved)
                    {
                        listener->onTouchMoved(touch, event);
                    }
                }
                else
                {
                    claimed.erase(claim);
                    const auto& handler = code == EventTouch::EventCode::ENDED ? listener->onTouchEnded
                                                                               : listener->onTouchCancelled;
                    if (handler)
                    {
                        handler(touch, event);
                    }
                }
            }
            if (swallowed)
            {
                break;
            }
        }
    }
    finishDispatch();
}

void EventDispatcher::finishDispatch()
{
    if (--_inDispatch > 0)
    {
        return;
    }
    std::vector<EventListener*> adding;
    adding.swap(_toAdd);
    for (EventListener* listener : adding)
    {
        registerListener(listener);
    }
    std::vector<EventListener*> releasing;
    releasing.swap(_toRelease);
    for (EventListener* listener : releasing)
    {
        listener->release();
    }
}

NS_CC_END
