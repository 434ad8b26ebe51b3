#pragma once

#include <vector>

#include "base/CCEventListener.h"

NS_CC_BEGIN

class Touch;

class EventListenerTouchOneByOne : public EventListener
{
public:
    static const std::string LISTENER_ID;

    static EventListenerTouchOneByOne* create();

    void setSwallowTouches(bool needSwallow) { _needSwallow = needSwallow; }
    bool isSwallowTouches() { return _needSwallow; }

    EventListenerTouchOneByOne* clone() override;
    // A one-by-one listener needs onTouchBegan to claim touches.
    bool checkAvailable() override { return static_cast<bool>(onTouchBegan); }

    std::function<bool(Touch*, Event*)> onTouchBegan;
    std::function<void(Touch*, Event*)> onTouchMoved;
    std::function<void(Touch*, Event*)> onTouchEnded;
    std::function<void(Touch*, Event*)> onTouchCancelled;

    CC_CONSTRUCTOR_ACCESS : EventListenerTouchOneByOne();

protected:
    // Touch events go through the dispatcher's claim logic, not through here.
    void onEvent(Event*) override {}

private:
    friend class EventDispatcher;

    std::vector<Touch*> _claimedTouches;
    bool _needSwallow = false;
};

NS_CC_END
