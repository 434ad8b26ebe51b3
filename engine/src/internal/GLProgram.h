#pragma once

#include <initializer_list>

#include "internal/GLHandles.h"

NS_CC_BEGIN

namespace gl {

struct AttributeBinding
{
    GLuint location;
    const char* name;
};

// Compiles and links one shader program with fixed attribute locations. On a compile or
// link error it logs GL's info log, naming the stage, and returns an empty handle.
Program buildProgram(const char* vertexSource, const char* fragmentSource,
                     std::initializer_list<AttributeBinding> attributes);

} // namespace gl

NS_CC_END
