#include "internal/QuadProgram.h"

#include "internal/GLProgram.h"

NS_CC_BEGIN

namespace gl {

namespace {

const char* const kVertexShader = R"(#version 110
attribute vec3 a_position;
attribute vec4 a_color;
attribute vec2 a_texCoord;
uniform vec4 u_projection; // scale xy, offset xy: points to clip space
varying vec4 v_color;
varying vec2 v_texCoord;
void main()
{
    gl_Position = vec4(a_position.xy * u_projection.xy + u_projection.zw, 0.0, 1.0);
    v_color = a_color;
    v_texCoord = a_texCoord;
}
)";

const char* const kFragmentShader = R"(#version 110
uniform sampler2D u_texture;
varying vec4 v_color;
varying vec2 v_texCoord;
void main()
{
    gl_FragColor = texture2D(u_texture, v_texCoord) * v_color;
}
)";

struct Built
{
    QuadProgram quad;
    std::string failure;
    unsigned generation = 0;
};

Built build()
{
    Built built;
    built.generation = generation();
    built.quad.program = buildProgram(
        kVertexShader, kFragmentShader,
        {{kQuadPosition, "a_position"}, {kQuadColor, "a_color"}, {kQuadTexCoord, "a_texCoord"}}, &built.failure);
    if (!built.quad.program)
        return built;
    // The one program is built. Mesa keeps its GLSL compiler's library of built-in functions
    // (2 MiB resident) until told the compiler is no longer needed.
    if (GLAD_GL_ARB_ES2_compatibility)
        glReleaseShaderCompiler();
    glUseProgram(built.quad.program.get());
    glUniform1i(glGetUniformLocation(built.quad.program.get(), "u_texture"), 0);
    built.quad.projection = glGetUniformLocation(built.quad.program.get(), "u_projection");
    return built;
}

} // namespace

const QuadProgram* quadProgram(std::string* failure)
{
    static Built current;
    if (!isLoaded())
    {
        if (failure)
            *failure = "OpenGL 2.0 or later is not loaded";
        return nullptr;
    }
    // A failed build is not retried within its context: the driver would only fail again.
    if (current.generation != generation())
        current = build();
    if (!current.quad.program)
    {
        if (failure)
            *failure = current.failure;
        return nullptr;
    }
    return &current.quad;
}

} // namespace gl

NS_CC_END
