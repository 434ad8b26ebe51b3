#pragma once

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

namespace gl {

// The view calls this once its new context is current and GL is loaded: GL objects made
// from now on belong to this context.
void contextMade();

// The view calls this just before it destroys its GL context. Objects that outlive the
// context (the renderer, cached textures) then drop their names without calling GL, which
// may already be unloaded; the context took the objects with it.
void contextLost();

// True while GL may be called: the view has loaded GL 2.0 or later (shaders) and has
// not lost its context.
bool isLoaded();

// The longest texture side the current context takes; 0 without a loaded context.
int maxTextureSide();

// Counts the contexts made so far. A name from an earlier context means nothing in a later
// one, and deleting it there could delete an unrelated object of the same name.
unsigned generation();

} // namespace gl

NS_CC_END
