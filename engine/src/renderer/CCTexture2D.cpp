#include "renderer/CCTexture2D.h"

#include <atomic>
#include <cstring>

#include "base/CCConsole.h"
#include "internal/GLHandles.h"
#include "platform/CCImage.h"

NS_CC_BEGIN

namespace {

constexpr size_t kBytesPerPixel = 4;

std::uint64_t nextSerial()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

// Sprites are drawn at their pixel size, where nearest sampling reproduces the picture
// exactly and costs a software rasteriser far less than bilinear filtering.
void setSamplingParameters()
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

} // namespace

// Pixel rectangles changed after the upload wait here until the next bind.
struct Texture2D::GLState
{
    struct PendingRect
    {
        int x, y, width, height;
        std::vector<unsigned char> rgba;
    };

    gl::Texture texture;
    std::vector<PendingRect> pending;
    bool uploadFailed = false;
};

Texture2D::Texture2D() : _serial(nextSerial()), _gl(std::make_unique<GLState>())
{
}

Texture2D::~Texture2D() = default;

bool Texture2D::initWithImage(Image* image)
{
    if (image == nullptr || image->getDataLen() == 0)
    {
        log("Texture2D: cannot create a texture from an empty image");
        return false;
    }
    const unsigned char* data = image->getData();
    return initWithRGBA(std::vector<unsigned char>(data, data + image->getDataLen()), image->getWidth(),
                        image->getHeight());
}

bool Texture2D::initWithRGBA(std::vector<unsigned char> rgba, int width, int height)
{
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * kBytesPerPixel)
    {
        log("Texture2D: %zu bytes do not make a %dx%d RGBA picture", rgba.size(), width, height);
        return false;
    }
    _pixels = std::move(rgba);
    _width = width;
    _height = height;
    _dirty = true;
    ++_pixelVersion;
    _gl = std::make_unique<GLState>();
    return true;
}

void Texture2D::updateRGBA(const unsigned char* rgba, int x, int y, int width, int height)
{
    if (rgba == nullptr || width <= 0 || height <= 0 || x < 0 || y < 0 || width > _width - x || height > _height - y)
    {
        log("Texture2D: update of %dx%d at (%d,%d) does not fit the %dx%d texture", width, height, x, y, _width,
            _height);
        return;
    }
    const size_t rowBytes = static_cast<size_t>(width) * kBytesPerPixel;
    if (!_gl->texture)
    {
        const size_t stride = static_cast<size_t>(_width) * kBytesPerPixel;
        for (int row = 0; row < height; ++row)
        {
            std::memcpy(&_pixels[(static_cast<size_t>(y) + row) * stride + static_cast<size_t>(x) * kBytesPerPixel],
                        rgba + row * rowBytes, rowBytes);
        }
        _dirty = true;
        ++_pixelVersion;
        return;
    }
    _gl->pending.push_back({x, y, width, height, std::vector<unsigned char>(rgba, rgba + rowBytes * height)});
    ++_pixelVersion;
}

Size Texture2D::getContentSize() const
{
    return Size(static_cast<float>(_width), static_cast<float>(_height));
}

void Texture2D::bind()
{
    if (!gl::isLoaded())
        return;
    glActiveTexture(GL_TEXTURE0);
    if (_gl->texture && !_gl->texture.usable())
    {
        // The pixels went to GL with a context that is gone: there is nothing left to draw.
        log("Texture2D: %dx%d was uploaded to an earlier GL context; it will not be drawn", _width, _height);
        _gl->texture.reset();
        _gl->pending.clear();
        _gl->uploadFailed = true;
    }
    if (!_gl->texture && _dirty && !_gl->uploadFailed)
    {
        GLint maxSize = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
        if (_width > maxSize || _height > maxSize)
        {
            log("Texture2D: %dx%d is larger than this GL allows (%d a side); it will not be drawn", _width, _height,
                maxSize);
            _gl->uploadFailed = true;
        }
        else
        {
            gl::Texture texture = gl::genTexture();
            glBindTexture(GL_TEXTURE_2D, texture.get());
            setSamplingParameters();
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, _width, _height, 0, GL_RGBA, GL_UNSIGNED_BYTE, _pixels.data());
            _gl->texture = std::move(texture);
            // GL holds the pixels now; later changes travel as pending rectangles.
            std::vector<unsigned char>().swap(_pixels);
            _dirty = false;
        }
    }
    glBindTexture(GL_TEXTURE_2D, _gl->texture.get());
    if (!_gl->pending.empty())
    {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        for (const GLState::PendingRect& rect : _gl->pending)
        {
            glTexSubImage2D(GL_TEXTURE_2D, 0, rect.x, rect.y, rect.width, rect.height, GL_RGBA, GL_UNSIGNED_BYTE,
                            rect.rgba.data());
        }
        _gl->pending.clear();
    }
}

NS_CC_END
