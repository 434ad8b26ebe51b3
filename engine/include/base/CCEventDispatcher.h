#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "base/CCRef.h"

NS_CC_BEGIN

class Event;
class EventListener;
class EventTouch;
class Node;

// Delivers events to listeners: fixed priorities below zero first, then scene-graph
// listeners from the top-most node down, then fixed priorities above zero.
class EventDispatcher : public Ref
{
public:
    EventDispatcher();
    ~EventDispatcher() override;

    void addEventListenerWithSceneGraphPriority(EventListener* listener, Node* node);
    void addEventListenerWithFixedPriority(EventListener* listener, int fixedPriority);
    void removeEventListener(EventListener* listener);
    void removeEventListenersForTarget(Node* target, bool recursive = false);
    void removeAllEventListeners();
    void pauseEventListenersForTarget(Node* target, bool recursive = false);
    void resumeEventListenersForTarget(Node* target, bool recursive = false);
    void dispatchEvent(Event* event);

    void setEnabled(bool isEnabled) { _isEnabled = isEnabled; }
    bool isEnabled() const { return _isEnabled; }

private:
    static bool isLive(const EventListener* listener);
    void addListener(EventListener* listener);
    void registerListener(EventListener* listener);
    void unregisterListener(EventListener* listener);
    void setListenersPaused(Node* target, bool recursive, bool paused);
    std::vector<EventListener*> orderedListeners(const std::string& listenerID);
    void dispatchTouchEvent(EventTouch* event);
    void finishDispatch();

    std::unordered_map<std::string, std::vector<EventListener*>> _listeners;
    std::unordered_map<Node*, std::vector<EventListener*>> _nodeListeners;
    std::vector<EventListener*> _toAdd;
    std::vector<EventListener*> _toRelease;
    int _inDispatch = 0;
    bool _isEnabled = false;
};

NS_CC_END
