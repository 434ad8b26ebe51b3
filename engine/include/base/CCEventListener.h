#pragma once

#include <functional>
#include <string>

#include "base/CCRef.h"

NS_CC_BEGIN

class Event;
class EventDispatcher;
class Node;

class EventListener : public Ref
{
public:
    enum class Type
    {
        UNKNOWN,
        TOUCH_ONE_BY_ONE,
        TOUCH_ALL_AT_ONCE,
        KEYBOARD,
        MOUSE,
        ACCELERATION,
        FOCUS,
        GAME_CONTROLLER,
        CUSTOM
    };

    typedef std::string ListenerID;

    virtual bool checkAvailable() = 0;
    virtual EventListener* clone() = 0;

    void setEnabled(bool enabled) { _isEnabled = enabled; }
    bool isEnabled() const { return _isEnabled; }

protected:
    // The dispatcher's bookkeeping, as 3.17 keeps it to the dispatcher.
    friend class EventDispatcher;

    Type getType() const { return _type; }
    const ListenerID& getListenerID() const { return _listenerID; }
    void setPaused(bool paused) { _paused = paused; }
    bool isPaused() const { return _paused; }
    void setRegistered(bool registered) { _isRegistered = registered; }
    bool isRegistered() const { return _isRegistered; }
    void setFixedPriority(int fixedPriority) { _fixedPriority = fixedPriority; }
    int getFixedPriority() const { return _fixedPriority; }
    void setAssociatedNode(Node* node) { _node = node; }
    Node* getAssociatedNode() const { return _node; }
    // Delivers an event to the callbacks of this listener.
    virtual void onEvent(Event* event) = 0;

    EventListener(Type type, const ListenerID& listenerID) : _type(type), _listenerID(listenerID) {}

    Type _type;
    ListenerID _listenerID;
    bool _isRegistered = false;
    bool _paused = true;
    bool _isEnabled = true;
    int _fixedPriority = 0;
    Node* _node = nullptr;
};

NS_CC_END
