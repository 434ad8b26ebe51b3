#include "internal/GLContext.h"

#include <glad/gl.h>

NS_CC_BEGIN

namespace gl {

namespace {
bool contextLive = false;
unsigned contextsMade = 0;
} // namespace

void contextMade()
{
    contextLive = true;
    ++contextsMade;
}

void contextLost()
{
    contextLive = false;
}

bool isLoaded()
{
    return contextLive && GLAD_GL_VERSION_2_0 != 0;
}

unsigned generation()
{
    return contextsMade;
}

int maxTextureSide()
{
    if (!isLoaded())
        return 0;
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side;
}

} // namespace gl

NS_CC_END
