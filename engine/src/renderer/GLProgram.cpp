#include "internal/GLProgram.h"

#include <string>

#include "base/CCConsole.h"

NS_CC_BEGIN

namespace gl {

namespace {

template <typename GetParameter, typename GetLog>
std::string infoLog(GLuint object, GetParameter getParameter, GetLog getLog)
{
    GLint length = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1)
        return "(no info log)";
    std::string text(static_cast<size_t>(length), '\0');
    GLsizei written = 0;
    getLog(object, length, &written, text.data());
    text.resize(static_cast<size_t>(written));
    return text;
}

Shader compileShader(GLenum stage, const char* source)
{
    const char* stageName = stage == GL_VERTEX_SHADER ? "vertex" : "fragment";
    Shader shader(glCreateShader(stage));
    if (!shader)
    {
        log("GL: could not create a %s shader object", stageName);
        return shader;
    }
    glShaderSource(shader.get(), 1, &source, nullptr);
    glCompileShader(shader.get());
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader.get(), GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE)
    {
        log("GL: the %s shader failed to compile:\n%s", stageName,
            infoLog(shader.get(), glGetShaderiv, glGetShaderInfoLog).c_str());
        shader.reset();
    }
    return shader;
}

} // namespace

Program buildProgram(const char* vertexSource, const char* fragmentSource,
                     std::initializer_list<AttributeBinding> attributes)
{
    const Shader vertex = compileShader(GL_VERTEX_SHADER, vertexSource);
    const Shader fragment = compileShader(GL_FRAGMENT_SHADER, fragmentSource);
    if (!vertex || !fragment)
        return Program();

    Program program(glCreateProgram());
    if (!program)
    {
        log("GL: could not create a shader program object");
        return program;
    }
    glAttachShader(program.get(), vertex.get());
    glAttachShader(program.get(), fragment.get());
    for (const AttributeBinding& attribute : attributes)
        glBindAttribLocation(program.get(), attribute.location, attribute.name);
    glLinkProgram(program.get());
    // The program keeps the compiled code; the shader objects can go with this scope.
    glDetachShader(program.get(), vertex.get());
    glDetachShader(program.get(), fragment.get());

    GLint linked = GL_FALSE;
    glGetProgramiv(program.get(), GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE)
    {
        log("GL: the shader program failed to link:\n%s",
            infoLog(program.get(), glGetProgramiv, glGetProgramInfoLog).c_str());
        program.reset();
    }
    return program;
}

} // namespace gl

NS_CC_END
