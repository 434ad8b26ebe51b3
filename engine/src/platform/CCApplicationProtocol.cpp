#include "platform/CCApplicationProtocol.h"

#include "base/CCAutoreleasePool.h"

NS_CC_BEGIN

ApplicationProtocol::~ApplicationProtocol()
{
    // The application outlives every frame; whatever is still pending release goes with it.
    PoolManager::destroyInstance();
}

NS_CC_END
