#pragma once

#include <memory>

#include "base/ccTypes.h"

NS_CC_BEGIN

class Texture2D;

// Collects textured quads for one frame and draws each run of quads that share a texture
// with a single draw call. Small pictures share one: they are drawn from an atlas page (see
// SpriteAtlas), so sprites of any pictures go out together. Quads arrive in window
// coordinates (points, origin bottom-left).
class Renderer
{
public:
    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Starts a frame: drops quads left from an unrendered frame. Needs no GL, so a headless
    // view can call it; the colour buffer is cleared to black by render().
    void clear();
    // Sets the projection so that (0,0)-(width,height) in points fills the given rectangle of
    // the framebuffer (pixels, origin bottom-left); the rest of it is cleared to black.
    void setViewport(float width, float height, const Rect& pixels);
    // Texture coordinates (0,0) are the picture's top-left pixel. A null texture draws the
    // quad in its vertex colours alone (solid layers, backgrounds).
    void addQuad(Texture2D* texture, const V3F_C4B_T2F_Quad& quad);
    // Clears to black and draws every queued quad. Needs a current GL context; without a
    // loaded GL API the quads are dropped (and that is logged once).
    void render();

    // What render() will draw of the quads queued so far: draw calls, and vertices as the draw
    // calls hand them to GL, 6 a quad (two triangles of indexed corners).
    size_t getQueuedDrawCalls() const;
    size_t getQueuedVertices() const;
    // The same figures of the last render(), all of whose quads were drawn.
    size_t getDrawnBatches() const;
    size_t getDrawnVertices() const;

private:
    struct Impl;
    std::unique_ptr<Impl> _impl;
};

NS_CC_END
