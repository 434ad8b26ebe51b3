#pragma once

#include <glad/gl.h>

#include <utility>

#include "internal/GLContext.h"

NS_CC_BEGIN

namespace gl {

// Owns one GL object name of the current context and deletes it exactly once. A headless run
// never creates GL objects, and a name that outlives its context (see contextLost) goes
// without a GL call.
template <void (*Delete)(GLuint)>
class Handle
{
public:
    Handle() = default;
    explicit Handle(GLuint id) : _id(id), _generation(generation()) {}
    ~Handle() { reset(); }

    Handle(Handle&& other) noexcept : _id(std::exchange(other._id, 0)), _generation(other._generation) {}
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other)
        {
            reset();
            _id = std::exchange(other._id, 0);
            _generation = other._generation;
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    GLuint get() const { return _id; }
    explicit operator bool() const { return _id != 0; }
    // False for a name whose context is gone: it must be made again before use.
    bool usable() const { return _id != 0 && isLoaded() && _generation == generation(); }

    void reset(GLuint id = 0)
    {
        if (usable())
            Delete(_id);
        _id = id;
        _generation = generation();
    }

private:
    GLuint _id = 0;
    unsigned _generation = 0;
};

namespace detail {
inline void deleteTexture(GLuint id)
{
    glDeleteTextures(1, &id);
}
inline void deleteBuffer(GLuint id)
{
    glDeleteBuffers(1, &id);
}
inline void deleteShader(GLuint id)
{
    glDeleteShader(id);
}
inline void deleteProgram(GLuint id)
{
    glDeleteProgram(id);
}
} // namespace detail

using Texture = Handle<detail::deleteTexture>;
using Buffer = Handle<detail::deleteBuffer>;
using Shader = Handle<detail::deleteShader>;
using Program = Handle<detail::deleteProgram>;

inline Texture genTexture()
{
    GLuint id = 0;
    glGenTextures(1, &id);
    return Texture(id);
}

inline Buffer genBuffer()
{
    GLuint id = 0;
    glGenBuffers(1, &id);
    return Buffer(id);
}

} // namespace gl

NS_CC_END
