#pragma once

#include <memory>
#include <vector>

#include "base/CCRef.h"

NS_CC_BEGIN

// Holds one deferred release per autorelease() call until the end of the frame.
class AutoreleasePool
{
public:
    void addObject(Ref* object);
    void clear();
    bool contains(Ref* object) const;

private:
    std::vector<Ref*> _managedObjects;
};

class PoolManager
{
public:
    static PoolManager* getInstance();
    static void destroyInstance();

    AutoreleasePool* getCurrentPool() { return &_pool; }

private:
    AutoreleasePool _pool;
};

NS_CC_END
