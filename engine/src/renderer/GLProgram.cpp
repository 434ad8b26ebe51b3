#include "internal/GLProgram.h"

#include <algorithm>
#include <cctype>
#include <string>

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
    // The reason goes into one line of a message: the log's lines become one.
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

Shader compileShader(GLenum stage, const char* source, std::string& failure)
{
    const std::string stageName = stage == GL_VERTEX_SHADER ? "vertex" : "fragment";
    Shader shader(glCreateShader(stage));
    if (!shader)
    {
        failure = "GL could not create a " + stageName + " shader object";
        return shader;
    }
    glShaderSource(shader.get(), 1, &source, nullptr);
    glCompileShader(shader.get());
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader.get(), GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE)
    {
        failure = "the " + stageName +
                  " shader failed to compile: " + infoLog(shader.get(), glGetShaderiv, glGetShaderInfoLog);
        shader.reset();
    }
    return shader;
}

} // namespace

Program buildProgram(const char* vertexSource, const char* fragmentSource,
                     std::initializer_list<AttributeBinding> attributes, std::string* failure)
{
    std::string reason;
    const Shader vertex = compileShader(GL_VERTEX_SHADER, vertexSource, reason);
    const Shader fragment = vertex ? compileShader(GL_FRAGMENT_SHADER, fragmentSource, reason) : Shader();
    Program program(vertex && fragment ? glCreateProgram() : 0);
    if (!program)
    {
        if (failure)
            *failure = reason.empty() ? "GL could not create a shader program object" : reason;
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
        if (failure)
            *failure = "the shader program failed to link: " +
                       infoLog(program.get(), glGetProgramiv, glGetProgramInfoLog);
        program.reset();
    }
    return program;
}

} // namespace gl

NS_CC_END
