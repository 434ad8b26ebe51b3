#pragma once

#include <memory>
#include <new>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// The body of every engine factory, as CREATE_FUNC has it: made without exceptions, set up by
// `init(object)`, then handed to the autorelease pool; an object whose set-up fails is deleted
// and the caller gets nullptr.
template <typename T, typename Init>
T* createAutoreleased(Init&& init)
{
    std::unique_ptr<T> object(new (std::nothrow) T());
    if (!object || !init(*object))
    {
        return nullptr;
    }
    T* created = object.release();
    created->autorelease();
    return created;
}

NS_CC_END
