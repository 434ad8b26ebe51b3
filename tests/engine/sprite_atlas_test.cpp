// The sprite atlas page: sized to the pictures it holds, larger only once they outgrow it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "renderer/CCSpriteAtlas.h"
#include "renderer/CCTexture2D.h"

USING_NS_CC;

namespace {

struct ReleaseTexture
{
    void operator()(Texture2D* texture) const { texture->release(); }
};
using Picture = std::unique_ptr<Texture2D, ReleaseTexture>;

Picture picture(int width, int height)
{
    Picture texture(new Texture2D());
    texture->initWithRGBA(std::vector<unsigned char>(static_cast<size_t>(width) * height * 4, 200), width, height);
    return texture;
}

TEST(SpriteAtlasTest, AGamesFewPicturesShareAPageOfTheirSize)
{
    SpriteAtlas atlas;
    std::vector<Picture> pictures;
    // The game's pictures: craft, shot, three enemies, two close buttons.
    for (const auto& [width, height] : {std::pair{48, 32}, {10, 6}, {32, 24}, {64, 32}, {38, 26}, {40, 40}, {40, 40}})
    {
        pictures.push_back(picture(width, height));
        EXPECT_NE(atlas.placeOf(pictures.back().get()), nullptr) << width << "x" << height;
    }
    atlas.startFrame();
    EXPECT_EQ(atlas.page()->getPixelsWide(), 256);
    EXPECT_NE(atlas.placeOf(pictures.front().get()), nullptr) << "kept across frames";
}

TEST(SpriteAtlasTest, TexturesWhosePixelsChangeKeepTheirOwn)
{
    SpriteAtlas atlas;
    const unsigned char glyph[4] = {255, 255, 255, 128};
    const Picture page = picture(64, 64);
    page->updateRGBA(glyph, 3, 3, 1, 1);
    EXPECT_EQ(atlas.placeOf(page.get()), nullptr) << "a glyph page is an atlas of its own";

    const Picture changedLater = picture(8, 8);
    ASSERT_NE(atlas.placeOf(changedLater.get()), nullptr);
    changedLater->updateRGBA(glyph, 0, 0, 1, 1);
    EXPECT_EQ(atlas.placeOf(changedLater.get()), nullptr) << "the copy in the page is stale";
}

TEST(SpriteAtlasTest, APageThatRanOutOfRoomGrowsUpToItsLargest)
{
    SpriteAtlas atlas;
    std::vector<Picture> pictures;
    std::vector<int> sides;
    std::vector<int> placed;
    for (int frame = 0; frame < 3; ++frame)
    {
        sides.push_back(atlas.page()->getPixelsWide());
        placed.push_back(0);
        // More 100 x 100 pictures than even the largest page holds.
        for (int i = 0; i < 40; ++i)
        {
            pictures.push_back(picture(100, 100));
            placed.back() += atlas.placeOf(pictures.back().get()) != nullptr;
        }
        atlas.startFrame();
    }
    EXPECT_EQ(sides, (std::vector<int>{256, 512, 512}));
    // With their borders, 2 x 2 fit in 256 pixels; in 512, 4 beside the white square, then rows of 5.
    EXPECT_EQ(placed, (std::vector<int>{4, 24, 24}));
}

} // namespace
