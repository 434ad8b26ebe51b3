#pragma once

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

namespace gl {

// The view calls this just before it destroys its GL context. Objects that outlive the
// context (the renderer, cached textures) then drop their names without calling GL, which
// may already be unloaded; the context took the objects with it. There is one context per
// process: once lost, nothing is drawn again.
void contextLost();

// True while GL may be called: the view has loaded GL 2.0 or later (shaders) and has
// not lost its context.
bool isLoaded();

} // namespace gl

NS_CC_END
