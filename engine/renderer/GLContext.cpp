#include "internal/GLContext.h"

#include <glad/gl.h>

NS_CC_BEGIN

namespace gl {

namespace {
bool contextGone = false;
}

void contextLost()
{
    contextGone = true;
}

bool isLoaded()
{
    return !contextGone && GLAD_GL_VERSION_2_0 != 0;
}

} // namespace gl

NS_CC_END
