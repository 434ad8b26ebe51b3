#pragma once

#include "base/CCRef.h"

NS_CC_BEGIN

class Node;

class Event : public Ref
{
public:
    enum class Type
    {
        TOUCH,
        KEYBOARD,
        ACCELERATION,
        MOUSE,
        FOCUS,
        GAME_CONTROLLER,
        CUSTOM
    };

    explicit Event(Type type) : _type(type) {}

    Type getType() const { return _type; }
    void stopPropagation() { _isStopped = true; }
    bool isStopped() const { return _isStopped; }
    // The node of the scene-graph listener being called, or null for fixed priority.
    Node* getCurrentTarget() { return _currentTarget; }

protected:
    friend class EventDispatcher;

    void setCurrentTarget(Node* target) { _currentTarget = target; }

    Type _type;
    bool _isStopped = false;
    Node* _currentTarget = nullptr;
};

NS_CC_END
