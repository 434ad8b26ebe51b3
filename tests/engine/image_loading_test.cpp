// PNG decoding into straight RGBA8, the texture cache on top of it, and refusal of bad files.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/CCImage.h"
#include "renderer/CCTexture2D.h"
#include "renderer/CCTextureCache.h"

USING_NS_CC;

namespace {

using Bytes = std::vector<unsigned char>;

enum ColorType : unsigned char
{
    kGray = 0,
    kRGB = 2,
    kPalette = 3,
    kGrayAlpha = 4,
    kRGBA = 6,
};

void putBigEndian32(Bytes& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

void appendChunk(Bytes& png, const char* type, const Bytes& data)
{
    putBigEndian32(png, static_cast<uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    putBigEndian32(png, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// Builds a PNG independently of the decoder under test: each scanline gets filter 0.
struct PngPicture
{
    uint32_t width = 1;
    uint32_t height = 1;
    unsigned char bitDepth = 8;
    unsigned char colorType = kRGBA;
    Bytes palette;      // PLTE payload
    Bytes transparency; // tRNS payload
    std::vector<Bytes> rows;
    Bytes idat; // when set, the IDAT payload instead of the compressed rows

    Bytes encode() const
    {
        Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
        Bytes header;
        putBigEndian32(header, width);
        putBigEndian32(header, height);
        header.insert(header.end(), {bitDepth, colorType, 0, 0, 0});
        appendChunk(png, "IHDR", header);
        if (!palette.empty())
            appendChunk(png, "PLTE", palette);
        if (!transparency.empty())
            appendChunk(png, "tRNS", transparency);
        appendChunk(png, "IDAT", idat.empty() ? compressedRows() : idat);
        appendChunk(png, "IEND", {});
        return png;
    }

    Bytes compressedRows() const
    {
        Bytes raw;
        for (const Bytes& row : rows)
        {
            raw.push_back(0);
            raw.insert(raw.end(), row.begin(), row.end());
        }
        uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
        Bytes packed(packedSize);
        compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION);
        packed.resize(packedSize);
        return packed;
    }
};

struct Rgba
{
    int r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

std::ostream& operator<<(std::ostream& os, const Rgba& c)
{
    return os << '(' << c.r << ',' << c.g << ',' << c.b << ',' << c.a << ')';
}

Rgba pixelAt(const Image& image, int x, int y)
{
    const unsigned char* p = image.getData() + (static_cast<size_t>(y) * image.getWidth() + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

bool decode(Image& image, const Bytes& bytes)
{
    return image.initWithImageData(bytes.data(), static_cast<ssize_t>(bytes.size()));
}

PngPicture smallRgba()
{
    PngPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.rows = {{255, 0, 0, 255, 0, 255, 0, 128}, {0, 0, 255, 0, 10, 20, 30, 40}};
    return picture;
}

std::string writeTempFile(const std::string& name, const Bytes& bytes)
{
    const std::string path = testing::TempDir() + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path;
    if (file != nullptr)
    {
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

} // namespace

TEST(ImageDecoding, RgbaKeepsStraightAlphaAndTopRowFirst)
{
    Image image;
    ASSERT_TRUE(decode(image, smallRgba().encode())) << image.getError();
    EXPECT_EQ(image.getWidth(), 2);
    EXPECT_EQ(image.getHeight(), 2);
    EXPECT_EQ(image.getDataLen(), 16);
    EXPECT_EQ(pixelAt(image, 0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(pixelAt(image, 1, 0), (Rgba{0, 255, 0, 128}));
    EXPECT_EQ(pixelAt(image, 0, 1), (Rgba{0, 0, 255, 0}));
    EXPECT_EQ(pixelAt(image, 1, 1), (Rgba{10, 20, 30, 40}));
}

TEST(ImageDecoding, PackedPaletteWithTransparencyExpandsToRgba)
{
    PngPicture picture;
    picture.width = 3;
    picture.colorType = kPalette;
    picture.bitDepth = 2;
    picture.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    picture.transparency = {255, 128}; // the third entry stays opaque
    picture.rows = {{0b00011000}};     // indices 0, 1, 2
    Image image;
    ASSERT_TRUE(decode(image, picture.encode())) << image.getError();
    ASSERT_EQ(image.getWidth(), 3);
    EXPECT_EQ(pixelAt(image, 0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(pixelAt(image, 1, 0), (Rgba{0, 255, 0, 128}));
    EXPECT_EQ(pixelAt(image, 2, 0), (Rgba{0, 0, 255, 255}));
}

TEST(ImageDecoding, GrayFormatsSpreadToAllChannels)
{
    PngPicture gray;
    gray.width = 2;
    gray.colorType = kGray;
    gray.rows = {{64, 192}};
    Image image;
    ASSERT_TRUE(decode(image, gray.encode())) << image.getError();
    EXPECT_EQ(pixelAt(image, 0, 0), (Rgba{64, 64, 64, 255}));
    EXPECT_EQ(pixelAt(image, 1, 0), (Rgba{192, 192, 192, 255}));

    gray.transparency = {0, 64}; // gray value 64 is the transparent one
    ASSERT_TRUE(decode(image, gray.encode())) << image.getError();
    EXPECT_EQ(pixelAt(image, 0, 0).a, 0);
    EXPECT_EQ(pixelAt(image, 1, 0), (Rgba{192, 192, 192, 255}));

    PngPicture grayAlpha;
    grayAlpha.colorType = kGrayAlpha;
    grayAlpha.rows = {{128, 64}};
    ASSERT_TRUE(decode(image, grayAlpha.encode())) << image.getError();
    EXPECT_EQ(pixelAt(image, 0, 0), (Rgba{128, 128, 128, 64}));

    // 16-bit samples are scaled, not treated as linear light: 0x8080 is exactly 128 * 257.
    PngPicture deep;
    deep.width = 3;
    deep.colorType = kGray;
    deep.bitDepth = 16;
    deep.rows = {{0x00, 0x00, 0x80, 0x80, 0xff, 0xff}};
    ASSERT_TRUE(decode(image, deep.encode())) << image.getError();
    EXPECT_EQ(pixelAt(image, 0, 0), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(pixelAt(image, 1, 0), (Rgba{128, 128, 128, 255}));
    EXPECT_EQ(pixelAt(image, 2, 0), (Rgba{255, 255, 255, 255}));
}

TEST(ImageDecoding, BadDataIsRefusedWithAReason)
{
    const Bytes good = smallRgba().encode();
    std::vector<std::pair<std::string, Bytes>> cases = {
        {"signature only", Bytes(good.begin(), good.begin() + 8)},
        {"half a signature", Bytes(good.begin(), good.begin() + 4)},
        {"cut inside IHDR", Bytes(good.begin(), good.begin() + 20)},
        {"cut before IDAT", Bytes(good.begin(), good.begin() + 33)},
        {"cut inside IDAT", Bytes(good.begin(), good.begin() + 50)},
        {"cut inside the IDAT checksum", Bytes(good.begin(), good.end() - 14)},
    };

    Bytes badCrc = good;
    badCrc[29] ^= 0xff; // the IHDR checksum
    cases.emplace_back("IHDR checksum", badCrc);

    PngPicture garbled = smallRgba();
    garbled.idat = garbled.compressedRows();
    for (size_t i = 2; i < garbled.idat.size(); ++i)
        garbled.idat[i] ^= 0x5a; // the deflate data after a valid zlib header
    cases.emplace_back("garbled pixel data", garbled.encode());

    constexpr unsigned kNoiseSeed = 1234;
    std::mt19937 random(kNoiseSeed);
    Bytes noise(4096);
    for (unsigned char& byte : noise)
        byte = static_cast<unsigned char>(random());
    cases.emplace_back("random bytes, seed " + std::to_string(kNoiseSeed), noise);
    Bytes noiseAfterSignature(good.begin(), good.begin() + 8);
    noiseAfterSignature.insert(noiseAfterSignature.end(), noise.begin(), noise.end());
    cases.emplace_back("random bytes after the signature, seed " + std::to_string(kNoiseSeed), noiseAfterSignature);

    PngPicture huge;
    huge.width = huge.height = 8192; // within the size cap, but the file cannot hold it
    cases.emplace_back("8192x8192 header in a tiny file", huge.encode());
    huge.width = 100000;
    huge.height = 1;
    cases.emplace_back("100000 pixels wide", huge.encode());
    huge.width = 0;
    cases.emplace_back("zero width", huge.encode());

    for (const auto& [label, bytes] : cases)
    {
        Image image;
        EXPECT_FALSE(decode(image, bytes)) << label;
        EXPECT_FALSE(image.getError().empty()) << label;
        EXPECT_EQ(image.getWidth(), 0) << label;
        EXPECT_EQ(image.getDataLen(), 0) << label;
    }

    Image image;
    EXPECT_FALSE(image.initWithImageData(nullptr, 10));
    EXPECT_FALSE(image.initWithImageData(good.data(), 0));
    EXPECT_FALSE(image.getError().empty());
}

TEST(ImageDecoding, HighlyCompressiblePicturesAreNotMistakenForForgedHeaders)
{
    PngPicture blank;
    blank.width = blank.height = 2048;
    blank.colorType = kGray;
    blank.bitDepth = 1;
    blank.rows.assign(blank.height, Bytes(blank.width / 8, 0));
    Image image;
    ASSERT_TRUE(decode(image, blank.encode())) << image.getError();
    EXPECT_EQ(image.getHeight(), 2048);
    EXPECT_EQ(pixelAt(image, 2047, 2047), (Rgba{0, 0, 0, 255}));
}

// A few kilobytes of valid PNG can ask for gigabytes of pixels; without a GL context the
// limit is 8192 a side.
TEST(ImageDecoding, ASideLongerThanATextureMayBeIsRefusedBeforeDecoding)
{
    PngPicture blank;
    blank.colorType = kGray;
    blank.bitDepth = 1;
    const struct
    {
        uint32_t width, height;
        bool fits;
    } sizes[] = {{8192, 1, true}, {8193, 1, false}, {1, 8193, false}, {16384, 16384, false}};
    for (const auto& size : sizes)
    {
        blank.width = size.width;
        blank.height = size.height;
        blank.rows.assign(blank.height, Bytes((blank.width + 7) / 8, 0));
        Image image;
        EXPECT_EQ(decode(image, blank.encode()), size.fits) << size.width << "x" << size.height;
        if (!size.fits)
        {
            EXPECT_NE(image.getError().find("at most 8192 pixels a side"), std::string::npos) << image.getError();
        }
    }
}

TEST(ImageDecoding, FailureAfterSuccessLeavesNoStalePicture)
{
    Image image;
    ASSERT_TRUE(decode(image, smallRgba().encode()));
    const Bytes good = smallRgba().encode();
    EXPECT_FALSE(decode(image, Bytes(good.begin(), good.begin() + 40)));
    EXPECT_EQ(image.getWidth(), 0);
    EXPECT_EQ(image.getDataLen(), 0);
    ASSERT_TRUE(decode(image, smallRgba().encode())) << image.getError();
    EXPECT_TRUE(image.getError().empty());
}

TEST(ImageFiles, MissingAndEmptyFilesFailWithTheirCause)
{
    Image image;
    EXPECT_FALSE(image.initWithImageFile(testing::TempDir() + "no_such_picture.png"));
    EXPECT_NE(image.getError().find("not found"), std::string::npos) << image.getError();

    EXPECT_FALSE(image.initWithImageFile(writeTempFile("empty_picture.png", {})));
    EXPECT_NE(image.getError().find("empty"), std::string::npos) << image.getError();

    ASSERT_TRUE(image.initWithImageFile(writeTempFile("small_picture.png", smallRgba().encode()))) << image.getError();
    EXPECT_EQ(pixelAt(image, 1, 1), (Rgba{10, 20, 30, 40}));
}

TEST(TextureCache, DecodesEachFileOnceAndForgetsUnusedTextures)
{
    TextureCache cache;
    EXPECT_EQ(cache.addImage(testing::TempDir() + "no_such_picture.png"), nullptr);
    EXPECT_EQ(cache.addImage(writeTempFile("not_a_picture.png", Bytes(100, 'x'))), nullptr);

    const std::string path = writeTempFile("cached_picture.png", smallRgba().encode());
    Texture2D* texture = cache.addImage(path);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->getPixelsWide(), 2);
    EXPECT_EQ(texture->getContentSize().height, 2.0f);
    EXPECT_EQ(cache.addImage(path), texture);
    EXPECT_EQ(cache.getTextureForKey(path), texture);

    texture->retain(); // as a sprite would
    cache.removeUnusedTextures();
    EXPECT_EQ(cache.getTextureForKey(path), texture);
    texture->release();
    cache.removeUnusedTextures();
    EXPECT_EQ(cache.getTextureForKey(path), nullptr);
}

TEST(Texture2D, RefusesPixelsThatDoNotMatchTheSize)
{
    Texture2D texture;
    EXPECT_FALSE(texture.initWithRGBA(Bytes(15), 2, 2));
    EXPECT_FALSE(texture.initWithRGBA(Bytes(), 0, 0));
    EXPECT_TRUE(texture.initWithRGBA(Bytes(16), 2, 2));
    EXPECT_EQ(texture.getContentSize().width, 2.0f);
}
