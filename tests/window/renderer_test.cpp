// The quad batcher and textures, read back from a real GL context (a 64x64 desktop window;
// run under a display such as xvfb-run), plus what must hold without any GL at all.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "DisplayRequired.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include "internal/GLContext.h"
#include "platform/desktop/CCGLViewImpl-desktop.h"
#include "renderer/CCRenderer.h"
#include "renderer/CCTexture2D.h"

USING_NS_CC;

namespace {

constexpr int kPixels = 64;
constexpr float kPoints = 32.0f; // two framebuffer pixels per point

V3F_C4B_T2F_Quad quad(float left, float bottom, float right, float top, Color4B color = Color4B::WHITE)
{
    V3F_C4B_T2F_Quad q;
    q.tl = {Vec3(left, top, 0), color, Tex2F(0, 0)};
    q.bl = {Vec3(left, bottom, 0), color, Tex2F(0, 1)};
    q.tr = {Vec3(right, top, 0), color, Tex2F(1, 0)};
    q.br = {Vec3(right, bottom, 0), color, Tex2F(1, 1)};
    return q;
}

struct Texture
{
    Texture2D* texture = new Texture2D();
    Texture(std::vector<unsigned char> rgba, int width, int height)
    {
        texture->initWithRGBA(std::move(rgba), width, height);
    }
    ~Texture() { texture->release(); }
    Texture2D* operator->() const { return texture; }
    operator Texture2D*() const { return texture; }
};

// A solid row wider than the sprite atlas takes: such a picture keeps a texture of its own.
constexpr int kWide = 200;
std::vector<unsigned char> wideRow(unsigned char r, unsigned char g, unsigned char b)
{
    std::vector<unsigned char> rgba;
    for (int x = 0; x < kWide; ++x)
        rgba.insert(rgba.end(), {r, g, b, 255});
    return rgba;
}

} // namespace

TEST(RendererWithoutGL, DropsQueuedQuadsAndGivesBackTheirTextures)
{
    ASSERT_FALSE(gl::isLoaded());
    Texture texture(wideRow(0, 0, 0), kWide, 1);
    Renderer renderer;
    renderer.addQuad(texture, quad(0, 0, 1, 1));
    renderer.addQuad(texture, quad(0, 0, 1, 1));
    EXPECT_EQ(texture->getReferenceCount(), 2u); // one reference for the run, not one a quad
    renderer.clear();
    EXPECT_EQ(texture->getReferenceCount(), 1u);

    renderer.addQuad(texture, quad(0, 0, 1, 1));
    renderer.render();
    EXPECT_EQ(texture->getReferenceCount(), 1u);
    EXPECT_EQ(renderer.getDrawnBatches(), 0u);
    EXPECT_EQ(renderer.getDrawnVertices(), 0u);
}

class RendererOnGL : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        view = GLViewImpl::createWithRect("renderer test", Rect(0, 0, kPixels, kPixels));
        if (view == nullptr)
            return;
        view->retain(); // the suite keeps it beyond any drain of the autorelease pool
        if (!gl::isLoaded())
            TearDownTestSuite();
    }

    static void TearDownTestSuite()
    {
        if (view != nullptr)
        {
            gl::contextLost();
            view->release();
            view = nullptr;
        }
    }

    void SetUp() override
    {
        if (view == nullptr)
            SKIP_OR_FAIL_WITHOUT_DISPLAY("no OpenGL 2.0 window; run under a display (xvfb-run)");
        renderer.setViewport(kPoints, kPoints, Rect(0, 0, kPixels, kPixels));
    }

    void TearDown() override
    {
        if (view != nullptr)
        {
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        }
    }

    // Framebuffer pixel colour; (0,0) is the bottom-left pixel.
    static Color4B pixel(int x, int y)
    {
        unsigned char p[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return Color4B(p[0], p[1], p[2], 255);
    }

    static testing::AssertionResult near(Color4B actual, Color4B expected)
    {
        auto close = [](int a, int b) { return std::abs(a - b) <= 2; };
        if (close(actual.r, expected.r) && close(actual.g, expected.g) && close(actual.b, expected.b))
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << "got (" << int(actual.r) << ',' << int(actual.g) << ',' << int(actual.b) << ") wanted ("
               << int(expected.r) << ',' << int(expected.g) << ',' << int(expected.b) << ')';
    }

    void drawFrame(const std::vector<std::pair<Texture2D*, V3F_C4B_T2F_Quad>>& quads)
    {
        renderer.clear();
        for (const auto& [texture, q] : quads)
            renderer.addQuad(texture, q);
        renderer.render();
    }

    static GLViewImpl* view;
    Renderer renderer;
};

GLViewImpl* RendererOnGL::view = nullptr;

TEST_F(RendererOnGL, TexturesAppearUprightAndBlendWithStraightAlpha)
{
    const Texture corners({255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}, 2, 2);
    drawFrame({{corners, quad(0, 0, kPoints, kPoints)}});
    EXPECT_TRUE(near(pixel(2, 61), Color4B(255, 0, 0, 255))) << "top-left";
    EXPECT_TRUE(near(pixel(61, 61), Color4B(0, 255, 0, 255))) << "top-right";
    EXPECT_TRUE(near(pixel(2, 2), Color4B(0, 0, 255, 255))) << "bottom-left";
    EXPECT_TRUE(near(pixel(61, 2), Color4B(255, 255, 255, 255))) << "bottom-right";

    const Texture halfBlue({0, 0, 255, 128}, 1, 1);
    drawFrame({{nullptr, quad(0, 0, kPoints, kPoints)},
               {halfBlue, quad(0, 0, 16, kPoints)},
               {nullptr, quad(16, 0, kPoints, kPoints, Color4B(255, 0, 0, 64))}});
    EXPECT_TRUE(near(pixel(10, 30), Color4B(127, 127, 255, 255)));
    EXPECT_TRUE(near(pixel(50, 30), Color4B(255, 191, 191, 255)));
}

TEST_F(RendererOnGL, OneDrawCallForEachRunOfTheSameTexture)
{
    const Texture a(wideRow(255, 0, 0), kWide, 1);
    const Texture b(wideRow(0, 255, 0), kWide, 1);
    drawFrame({{a, quad(0, 0, 8, 8)},
               {a, quad(8, 0, 16, 8)},
               {b, quad(16, 0, 24, 8)},
               {a, quad(24, 0, 32, 8)},
               {nullptr, quad(0, 8, 8, 16, Color4B::BLUE)}});
    EXPECT_EQ(renderer.getDrawnBatches(), 4u);
    EXPECT_EQ(renderer.getDrawnVertices(), 30u) << "6 a quad, as GL draws them";
    EXPECT_TRUE(near(pixel(40, 8), Color4B(0, 255, 0, 255)));
    EXPECT_TRUE(near(pixel(56, 8), Color4B(255, 0, 0, 255)));
    EXPECT_TRUE(near(pixel(8, 24), Color4B(0, 0, 255, 255)));

    drawFrame({});
    EXPECT_EQ(renderer.getDrawnBatches(), 0u);
    EXPECT_EQ(renderer.getDrawnVertices(), 0u);
    EXPECT_TRUE(near(pixel(40, 8), Color4B(0, 0, 0, 255))) << "each frame starts black";
}

TEST_F(RendererOnGL, SmallPicturesShareOneDrawCall)
{
    const Texture a({255, 0, 0, 255}, 1, 1);
    const Texture b({0, 255, 0, 255}, 1, 1);
    drawFrame({{a, quad(0, 0, 8, 8)},
               {b, quad(8, 0, 16, 8)},
               {nullptr, quad(16, 0, 24, 8, Color4B::BLUE)},
               {a, quad(24, 0, 32, 8)}});
    EXPECT_EQ(renderer.getDrawnBatches(), 1u);
    EXPECT_TRUE(near(pixel(8, 8), Color4B(255, 0, 0, 255)));
    EXPECT_TRUE(near(pixel(24, 8), Color4B(0, 255, 0, 255)));
    EXPECT_TRUE(near(pixel(40, 8), Color4B(0, 0, 255, 255)));
    EXPECT_TRUE(near(pixel(56, 8), Color4B(255, 0, 0, 255)));
}

TEST_F(RendererOnGL, SmallPicturesReadAsTheirOwnTexturesWouldWithClampToEdge)
{
    // Left texel red, right green; the blue picture lands beside it in the atlas.
    const Texture pair({255, 0, 0, 255, 0, 255, 0, 255}, 2, 1);
    const Texture blue({0, 0, 255, 255}, 1, 1);
    drawFrame({{pair, quad(0, 0, 8, 8)}, {blue, quad(0, 16, 8, 24)}});
    V3F_C4B_T2F_Quad stretched = quad(0, 0, kPoints, 8);
    stretched.tr.texCoords.u = stretched.br.texCoords.u = 3.0f; // two thirds beyond the right edge
    drawFrame({{pair, stretched}, {blue, quad(0, 16, 8, 24)}});
    EXPECT_TRUE(near(pixel(4, 8), Color4B(255, 0, 0, 255)));
    EXPECT_TRUE(near(pixel(20, 8), Color4B(0, 255, 0, 255)));
    EXPECT_TRUE(near(pixel(62, 8), Color4B(0, 255, 0, 255))) << "clamped, not the neighbour in the atlas";
    EXPECT_TRUE(near(pixel(8, 40), Color4B(0, 0, 255, 255)));
}

TEST_F(RendererOnGL, PicturesBeyondTheAtlasRoomStillDrawRightFrameAfterFrame)
{
    constexpr int kPictures = 40; // of 100 x 100 pixels: more than one atlas page holds
    constexpr int kSide = 100;
    std::vector<std::unique_ptr<Texture>> pictures;
    std::vector<std::pair<Texture2D*, V3F_C4B_T2F_Quad>> quads;
    for (int i = 0; i < kPictures; ++i)
    {
        std::vector<unsigned char> rgba;
        for (int p = 0; p < kSide * kSide; ++p)
            rgba.insert(rgba.end(), {static_cast<unsigned char>(6 * i), 100, 0, 255});
        pictures.push_back(std::make_unique<Texture>(std::move(rgba), kSide, kSide));
        const auto x = static_cast<float>(i % 8) * 4;
        const auto y = static_cast<float>(i / 8) * 4;
        quads.push_back({*pictures.back(), quad(x, y, x + 4, y + 4)});
    }
    for (int frame = 0; frame < 3; ++frame)
    {
        drawFrame(quads);
        for (int i = 0; i < kPictures; ++i)
        {
            const Color4B expected(static_cast<GLubyte>(6 * i), 100, 0, 255);
            EXPECT_TRUE(near(pixel((i % 8) * 8 + 4, (i / 8) * 8 + 4), expected))
                << "frame " << frame << " picture " << i;
        }
    }
}

TEST_F(RendererOnGL, PartialUpdatesShowBeforeAndAfterTheUpload)
{
    const Texture atlas(std::vector<unsigned char>(4 * 4 * 4, 0), 4, 4);
    const unsigned char red[4] = {255, 0, 0, 255};
    const unsigned char green[4] = {0, 255, 0, 255};
    atlas->updateRGBA(red, 0, 0, 1, 1);
    drawFrame({{atlas, quad(0, 0, kPoints, kPoints)}});
    EXPECT_TRUE(near(pixel(4, 60), Color4B(255, 0, 0, 255)));
    EXPECT_TRUE(near(pixel(60, 4), Color4B(0, 0, 0, 255)));

    atlas->updateRGBA(green, 3, 3, 1, 1);
    drawFrame({{atlas, quad(0, 0, kPoints, kPoints)}});
    EXPECT_TRUE(near(pixel(60, 4), Color4B(0, 255, 0, 255)));
    EXPECT_TRUE(near(pixel(4, 60), Color4B(255, 0, 0, 255)));
}

TEST_F(RendererOnGL, TensOfThousandsOfQuadsInOneRun)
{
    const Texture white({255, 255, 255, 255}, 1, 1);
    std::vector<std::pair<Texture2D*, V3F_C4B_T2F_Quad>> quads(20000, {white, quad(0, 0, 1, 1, Color4B::BLACK)});
    quads.back().second = quad(30, 30, kPoints, kPoints, Color4B::YELLOW);
    drawFrame(quads);
    EXPECT_EQ(renderer.getDrawnBatches(), 1u);
    EXPECT_EQ(renderer.getDrawnVertices(), 120000u);
    EXPECT_TRUE(near(pixel(63, 63), Color4B(255, 255, 0, 255))) << "the last quad of the run";
}
