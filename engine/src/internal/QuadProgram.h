#pragma once

#include <string>

#include "internal/GLHandles.h"

NS_CC_BEGIN

namespace gl {

// Vertex attributes of the renderer's quads.
enum QuadAttribute : GLuint
{
    kQuadPosition = 0,
    kQuadColor = 1,
    kQuadTexCoord = 2,
};

// The one shader program every quad is drawn with: textured, tinted by its vertex colour.
struct QuadProgram
{
    Program program;
    // vec4: scale xy, offset xy, from points to clip space.
    GLint projection = -1;
};

// The program of the current context, built on first use in each context. The view asks for
// it as it opens its window, so a driver that cannot build it fails the start with a reason
// instead of showing a black window; nullptr then, with the reason in *failure.
const QuadProgram* quadProgram(std::string* failure = nullptr);

} // namespace gl

NS_CC_END
