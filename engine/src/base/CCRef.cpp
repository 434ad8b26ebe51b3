#include "base/CCRef.h"

#include "base/CCAutoreleasePool.h"
#include "base/CCLiveObjects.h"

NS_CC_BEGIN

namespace {
long liveObjects = 0;
}

Ref::Ref()
{
    ++liveObjects;
}

Ref::~Ref()
{
    --liveObjects;
}

long liveObjectCount()
{
    return liveObjects;
}

void Ref::retain()
{
    CCASSERT(_referenceCount > 0, "reference count should be greater than 0");
    ++_referenceCount;
}

void Ref::release()
{
    CCASSERT(_referenceCount > 0, "reference count should be greater than 0");
    --_referenceCount;
    if (_referenceCount == 0)
    {
        delete this;
    }
}

Ref* Ref::autorelease()
{
    PoolManager::getInstance()->getCurrentPool()->addObject(this);
    return this;
}

NS_CC_END
