#include "renderer/CCRenderer.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "base/CCConsole.h"
#include "internal/GLHandles.h"
#include "internal/QuadProgram.h"
#include "renderer/CCSpriteAtlas.h"
#include "renderer/CCTexture2D.h"

NS_CC_BEGIN

namespace {

constexpr size_t kVerticesPerQuad = 4;
constexpr size_t kIndicesPerQuad = 6;
constexpr size_t kMinIndexedQuads = 1024;

// A run of consecutive quads drawn with one texture; the run holds a reference to it
// until the frame is drawn.
struct Batch
{
    Texture2D* texture;
    size_t quadCount;
};

std::vector<GLuint> quadIndices(size_t quadCount)
{
    std::vector<GLuint> indices;
    indices.reserve(quadCount * kIndicesPerQuad);
    for (size_t quad = 0; quad < quadCount; ++quad)
    {
        // Corners are stored tl, bl, tr, br.
        const auto first = static_cast<GLuint>(quad * kVerticesPerQuad);
        for (GLuint corner : {0u, 1u, 2u, 2u, 1u, 3u})
            indices.push_back(first + corner);
    }
    return indices;
}

// Only a quad within its picture may be drawn from the atlas: beyond the edges, its own
// texture clamps each pixel to the edge, where the atlas would show the neighbours.
bool withinPicture(const V3F_C4B_T2F_Quad& quad)
{
    for (const V3F_C4B_T2F* corner : {&quad.tl, &quad.bl, &quad.tr, &quad.br})
    {
        const Tex2F& at = corner->texCoords;
        if (at.u < 0.0f || at.u > 1.0f || at.v < 0.0f || at.v > 1.0f)
            return false;
    }
    return true;
}

// Texture coordinates of the picture's own texture, moved to its place in the atlas page.
void moveIntoPlace(V3F_C4B_T2F& corner, const SpriteAtlas::Place& place)
{
    corner.texCoords.u = place.left + corner.texCoords.u * (place.right - place.left);
    corner.texCoords.v = place.top + corner.texCoords.v * (place.bottom - place.top);
}

void setVertexLayout()
{
    const auto stride = static_cast<GLsizei>(sizeof(V3F_C4B_T2F));
    glEnableVertexAttribArray(gl::kQuadPosition);
    glVertexAttribPointer(gl::kQuadPosition, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(V3F_C4B_T2F, vertices)));
    glEnableVertexAttribArray(gl::kQuadColor);
    glVertexAttribPointer(gl::kQuadColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<const void*>(offsetof(V3F_C4B_T2F, colors)));
    glEnableVertexAttribArray(gl::kQuadTexCoord);
    glVertexAttribPointer(gl::kQuadTexCoord, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(V3F_C4B_T2F, texCoords)));
}

} // namespace

struct Renderer::Impl
{
    std::vector<V3F_C4B_T2F> vertices;
    std::vector<Batch> batches;

    float pointsWide = 0.0f;
    float pointsHigh = 0.0f;
    GLint viewportLeft = 0;
    GLint viewportBottom = 0;
    GLsizei viewportWide = 0;
    GLsizei viewportHigh = 0;

    size_t drawnBatches = 0;
    size_t drawnVertices = 0;

    unsigned setupGeneration = 0;
    bool warnedWithoutGL = false;
    const gl::QuadProgram* quad = nullptr;
    gl::Buffer vertexBuffer;
    gl::Buffer indexBuffer;
    size_t indexedQuads = 0;
    SpriteAtlas atlas;

    ~Impl() { discardQueue(); }

    void discardQueue()
    {
        for (const Batch& batch : batches)
            batch.texture->release();
        batches.clear();
        vertices.clear();
    }

    // Buffers are made on the first frame of each context; the program is the context's own.
    bool prepareGL()
    {
        if (!gl::isLoaded())
        {
            if (!warnedWithoutGL)
                log("Renderer: OpenGL 2.0 or later is not loaded; nothing is drawn");
            warnedWithoutGL = true;
            return false;
        }
        if (setupGeneration != gl::generation())
        {
            // A new context: the one before took the program and the buffers with it.
            std::string failure;
            quad = gl::quadProgram(&failure);
            if (!quad)
                log("Renderer: no usable shader program (%s); nothing is drawn", failure.c_str());
            vertexBuffer = quad ? gl::genBuffer() : gl::Buffer();
            indexBuffer = quad ? gl::genBuffer() : gl::Buffer();
            indexedQuads = 0;
            setupGeneration = gl::generation();
        }
        return quad != nullptr;
    }

    void reserveIndices(size_t quadCount)
    {
        if (quadCount <= indexedQuads)
            return;
        size_t capacity = kMinIndexedQuads;
        while (capacity < quadCount)
            capacity *= 2;
        const std::vector<GLuint> indices = quadIndices(capacity);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer.get());
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)), indices.data(),
                     GL_STATIC_DRAW);
        indexedQuads = capacity;
    }

    void applyViewport()
    {
        if (viewportWide <= 0 || viewportHigh <= 0)
        {
            // Nobody set a viewport: draw 1:1 into whatever GL is using.
            GLint viewport[4] = {0, 0, 0, 0};
            glGetIntegerv(GL_VIEWPORT, viewport);
            viewportLeft = viewport[0];
            viewportBottom = viewport[1];
            viewportWide = viewport[2];
            viewportHigh = viewport[3];
            pointsWide = static_cast<float>(viewport[2]);
            pointsHigh = static_cast<float>(viewport[3]);
        }
        glViewport(viewportLeft, viewportBottom, viewportWide, viewportHigh);
    }

    void drawQueue()
    {
        const size_t quadCount = vertices.size() / kVerticesPerQuad;
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glEnable(GL_BLEND);
        // Straight alpha over the colour; the framebuffer's own alpha stays opaque.
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);

        glUseProgram(quad->program.get());
        if (pointsWide > 0.0f && pointsHigh > 0.0f)
            glUniform4f(quad->projection, 2.0f / pointsWide, 2.0f / pointsHigh, -1.0f, -1.0f);

        reserveIndices(quadCount);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer.get());
        glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer.get());
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(V3F_C4B_T2F)), vertices.data(),
                     GL_STREAM_DRAW);
        setVertexLayout();

        size_t firstQuad = 0;
        for (const Batch& batch : batches)
        {
            batch.texture->bind();
            // The range spares GL a scan of the indices for the vertices they use, which Mesa's
            // software rasteriser otherwise does on every draw call.
            const auto firstVertex = static_cast<GLuint>(firstQuad * kVerticesPerQuad);
            const auto lastVertex = static_cast<GLuint>((firstQuad + batch.quadCount) * kVerticesPerQuad - 1);
            glDrawRangeElements(GL_TRIANGLES, firstVertex, lastVertex,
                                static_cast<GLsizei>(batch.quadCount * kIndicesPerQuad), GL_UNSIGNED_INT,
                                reinterpret_cast<const void*>(firstQuad * kIndicesPerQuad * sizeof(GLuint)));
            firstQuad += batch.quadCount;
        }
        drawnBatches = batches.size();
        drawnVertices = queuedVertices();
    }

    size_t queuedVertices() const { return vertices.size() / kVerticesPerQuad * kIndicesPerQuad; }
};

Renderer::Renderer() : _impl(std::make_unique<Impl>())
{
}

Renderer::~Renderer() = default;

void Renderer::clear()
{
    // Nothing here needs GL: a headless view calls this too.
    _impl->discardQueue();
    _impl->atlas.startFrame();
}

void Renderer::setViewport(float width, float height, const Rect& pixels)
{
    _impl->pointsWide = width;
    _impl->pointsHigh = height;
    _impl->viewportLeft = static_cast<GLint>(std::lround(pixels.origin.x));
    _impl->viewportBottom = static_cast<GLint>(std::lround(pixels.origin.y));
    _impl->viewportWide = static_cast<GLsizei>(std::lround(pixels.size.width));
    _impl->viewportHigh = static_cast<GLsizei>(std::lround(pixels.size.height));
}

void Renderer::addQuad(Texture2D* texture, const V3F_C4B_T2F_Quad& quad)
{
    Impl& r = *_impl;
    V3F_C4B_T2F_Quad corners = quad;
    const bool atlasMayDraw = texture == nullptr || withinPicture(quad);
    if (const SpriteAtlas::Place* place = atlasMayDraw ? r.atlas.placeOf(texture) : nullptr)
    {
        for (V3F_C4B_T2F* corner : {&corners.tl, &corners.bl, &corners.tr, &corners.br})
            moveIntoPlace(*corner, *place);
        texture = r.atlas.page();
    }
    if (r.batches.empty() || r.batches.back().texture != texture)
    {
        texture->retain();
        r.batches.push_back({texture, 0});
    }
    ++r.batches.back().quadCount;
    r.vertices.insert(r.vertices.end(), {corners.tl, corners.bl, corners.tr, corners.br});
}

void Renderer::render()
{
    Impl& r = *_impl;
    r.drawnBatches = 0;
    r.drawnVertices = 0;
    if (r.prepareGL())
    {
        r.applyViewport();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        if (!r.vertices.empty())
            r.drawQueue();
    }
    r.discardQueue();
}

size_t Renderer::getQueuedDrawCalls() const
{
    return _impl->batches.size();
}

size_t Renderer::getQueuedVertices() const
{
    return _impl->queuedVertices();
}

size_t Renderer::getDrawnBatches() const
{
    return _impl->drawnBatches;
}

size_t Renderer::getDrawnVertices() const
{
    return _impl->drawnVertices;
}

NS_CC_END
