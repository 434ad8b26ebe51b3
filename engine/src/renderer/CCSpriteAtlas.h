#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "base/CCPlatformMacros.h"
#include "renderer/CCShelfPacker.h"

NS_CC_BEGIN

class Texture2D;

// Small pictures share one texture, the page, so that quads of different sprites go out in
// one draw call: Mesa's software rasteriser pays dearly for every change of texture between
// draw calls. A picture is copied in on first use with a one-pixel border that repeats its
// edges, so sampling right on an edge reads what the picture's own texture would give with
// clamp-to-edge.
class SpriteAtlas
{
public:
    // A picture's place in the page, in page texture coordinates ((0,0) is the top-left).
    struct Place
    {
        float left;
        float top;
        float right;
        float bottom;
    };

    SpriteAtlas();
    ~SpriteAtlas();
    SpriteAtlas(const SpriteAtlas&) = delete;
    SpriteAtlas& operator=(const SpriteAtlas&) = delete;

    // Where the texture's pixels are in the page, copied in on first use. Null for a texture
    // that keeps its own: too large, pixels changed since first set or already handed to GL,
    // or no room left this frame. A null texture stands for plain white, which always has a place.
    const Place* placeOf(const Texture2D* texture);
    Texture2D* page() const { return _page.get(); }

    // Call between frames: a page that ran out of room is emptied, to be refilled by use, and
    // made larger if it may grow. Pictures that found no room in that frame drew from their own
    // textures, which then hold their pixels in GL only, and keep drawing from there.
    void startFrame();

private:
    struct ReleaseTexture
    {
        void operator()(Texture2D* texture) const;
    };

    void empty();
    bool reserve(int width, int height, int& x, int& y);
    void copyIn(const unsigned char* rgba, int width, int height, int x, int y);

    std::unique_ptr<Texture2D, ReleaseTexture> _page;
    std::unordered_map<std::uint64_t, Place> _entries;
    Place _white{};
    int _side;
    ShelfPacker _packer{0};
    bool _full = false;
    unsigned _glGeneration = 0;
};

NS_CC_END
