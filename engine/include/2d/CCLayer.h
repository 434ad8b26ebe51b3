#pragma once

#include "2d/CCNode.h"

NS_CC_BEGIN

class Event;
class Touch;

class Layer : public Node
{
public:
    static Layer* create();

    Layer();
    bool init() override;

    virtual bool onTouchBegan(Touch* touch, Event* unusedEvent);
    virtual void onTouchMoved(Touch* touch, Event* unusedEvent);
    virtual void onTouchEnded(Touch* touch, Event* unusedEvent);
    virtual void onTouchCancelled(Touch* touch, Event* unusedEvent);
};

NS_CC_END
