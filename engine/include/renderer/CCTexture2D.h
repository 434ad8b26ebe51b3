#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/CCRef.h"
#include "math/CCGeometry.h"

NS_CC_BEGIN

class Image;

// Pixels of one picture. Decoded pixels stay on the CPU until the first draw with a GL
// context uploads them, so a view without GL can still size sprites from their images.
class Texture2D : public Ref
{
public:
    Texture2D();
    ~Texture2D() override;

    bool initWithImage(Image* image);
    // Straight (non-premultiplied) RGBA8 pixels, rows from the top.
    bool initWithRGBA(std::vector<unsigned char> rgba, int width, int height);
    // Replaces a rectangle of pixels; the GL copy follows on the next bind.
    void updateRGBA(const unsigned char* rgba, int x, int y, int width, int height);

    int getPixelsWide() const { return _width; }
    int getPixelsHigh() const { return _height; }
    Size getContentSize() const;

private:
    // The renderer's side, not 3.17's API.
    friend class Renderer;
    friend class SpriteAtlas;

    // Binds the texture to unit 0, uploading pending pixels first. Needs a current GL context.
    void bind();

    // For the renderer's sprite atlas: a number no other texture of the process gets, a count
    // that grows with every change of pixels, and the pixels while only the CPU has them
    // (empty once they went to GL).
    std::uint64_t getSerial() const { return _serial; }
    unsigned getPixelVersion() const { return _pixelVersion; }
    const std::vector<unsigned char>& getPixelsOnCpu() const { return _pixels; }

    struct GLState;
    std::vector<unsigned char> _pixels;
    int _width = 0;
    int _height = 0;
    bool _dirty = false;
    std::uint64_t _serial;
    unsigned _pixelVersion = 0;
    std::unique_ptr<GLState> _gl;
};

NS_CC_END
