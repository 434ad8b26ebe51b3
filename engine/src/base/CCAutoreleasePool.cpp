#include "base/CCAutoreleasePool.h"

#include <algorithm>

NS_CC_BEGIN

void AutoreleasePool::addObject(Ref* object)
{
    _managedObjects.push_back(object);
}

void AutoreleasePool::clear()
{
    // Releasing may autorelease new objects; those wait for the next drain.
    std::vector<Ref*> releasing;
    releasing.swap(_managedObjects);
    for (Ref* object : releasing)
    {
        object->release();
    }
}

bool AutoreleasePool::contains(Ref* object) const
{
    return std::find(_managedObjects.begin(), _managedObjects.end(), object) != _managedObjects.end();
}

namespace {
std::unique_ptr<PoolManager>& poolManagerSlot()
{
    static std::unique_ptr<PoolManager> instance;
    return instance;
}
}

PoolManager* PoolManager::getInstance()
{
    auto& slot = poolManagerSlot();
    if (!slot)
    {
        slot = std::make_unique<PoolManager>();
    }
    return slot.get();
}

void PoolManager::destroyInstance()
{
    auto& slot = poolManagerSlot();
    if (slot)
    {
        slot->getCurrentPool()->clear();
        slot.reset();
    }
}

NS_CC_END
