#pragma once

#include <memory>

#include "base/ccTypes.h"

NS_CC_BEGIN

class Texture2D;

// Collects textured quads for one frame and draws each run of quads that share a texture
// with a single draw call. Quads arrive in window coordinates (points, origin bottom-left).
class Renderer
{
public:
    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Starts a frame: clears the colour buffer and resets the counters.
    void clear();
    // Sets the projection so that (0,0)-(width,height) in points fills the framebuffer.
    void setViewport(float width, float height, int framebufferWidth, int framebufferHeight);
    void addQuad(Texture2D* texture, const V3F_C4B_T2F_Quad& quad);
    // Flushes every queued quad to GL. Requires a current GL context with a loaded GL API.
    void render();

    // Figures of the last rendered frame, shown by the statistics display.
    size_t getDrawnBatches() const;
    size_t getDrawnVertices() const;

private:
    struct Impl;
    std::unique_ptr<Impl> _impl;
};

NS_CC_END
