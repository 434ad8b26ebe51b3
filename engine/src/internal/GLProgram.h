#pragma once

#include <initializer_list>
#include <string>

#include "internal/GLHandles.h"

NS_CC_BEGIN

namespace gl {

struct AttributeBinding
{
    GLuint location;
    const char* name;
};

// Compiles and links one shader program with fixed attribute locations. On a compile or
// link error it returns an empty handle, and failure says which stage failed with GL's
// info log.
Program buildProgram(const char* vertexSource, const char* fragmentSource,
                     std::initializer_list<AttributeBinding> attributes, std::string* failure);

} // namespace gl

NS_CC_END
