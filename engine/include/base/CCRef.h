#pragma once

#include "base/ccMacros.h"

NS_CC_BEGIN

class Node;
class Ref;

// The root of every engine object: intrusive reference counting with deferred release.
class Ref
{
public:
    void retain();
    void release();
    Ref* autorelease();
    unsigned int getReferenceCount() const { return _referenceCount; }

    virtual ~Ref();
    // A copy would start with the original's count and be deleted while still in use.
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

protected:
    Ref();

private:
    unsigned int _referenceCount = 1;
};

typedef void (Ref::*SEL_CallFunc)();
typedef void (Ref::*SEL_CallFuncN)(Node*);
typedef void (Ref::*SEL_MenuHandler)(Ref*);
typedef void (Ref::*SEL_SCHEDULE)(float);

#define CC_CALLFUNC_SELECTOR(_SELECTOR) static_cast<cocos2d::SEL_CallFunc>(&_SELECTOR)
#define CC_CALLFUNCN_SELECTOR(_SELECTOR) static_cast<cocos2d::SEL_CallFuncN>(&_SELECTOR)
#define CC_MENU_SELECTOR(_SELECTOR) static_cast<cocos2d::SEL_MenuHandler>(&_SELECTOR)
#define CC_SCHEDULE_SELECTOR(_SELECTOR) static_cast<cocos2d::SEL_SCHEDULE>(&_SELECTOR)

NS_CC_END
