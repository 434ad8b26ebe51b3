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
    ++_referenceCount;
}

void Ref::release()
{
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
