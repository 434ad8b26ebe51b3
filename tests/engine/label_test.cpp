// Labels: text layout and content size, font loading and its failures, system font
// fallback, LabelTTF, and glyph atlases shared between labels.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "2d/CCFontAtlas.h"
#include "2d/CCLabel.h"
#include "2d/CCLabelInternals.h"
#include "2d/CCLabelTTF.h"
#include "2d/CCUTF8Decoder.h"
#include "base/CCAutoreleasePool.h"
#include "internal/OperatingSystem.h"

USING_NS_CC;
namespace fs = std::filesystem;

namespace {

// The game's title and score font (ASCII only) and a face that covers Latin-1 and beyond.
const std::string kFont = "/usr/share/fonts/truetype/humor-sans/Humor-Sans.ttf";
const std::string kWideFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class LabelTest : public ::testing::Test
{
protected:
    void TearDown() override { PoolManager::getInstance()->getCurrentPool()->clear(); }

    static Size sizeOf(const std::string& text, const Size& dimensions = Size::ZERO, const std::string& font = kFont)
    {
        Label* label = Label::createWithTTF(text, font, 24, dimensions);
        return label ? label->getContentSize() : Size(-1, -1);
    }
};

// Damaged copies of the real font in a scratch directory of their own.
class BrokenFonts : public LabelTest
{
protected:
    void SetUp() override
    {
        _dir = fs::temp_directory_path() / ("skyvane-label-test-" + std::to_string(::getpid()));
        fs::create_directories(_dir);
        std::ifstream in(kFont, std::ios::binary);
        _original.assign(std::istreambuf_iterator<char>(in), {});
        ASSERT_GT(_original.size(), 1000u);
    }
    void TearDown() override
    {
        LabelTest::TearDown();
        fs::remove_all(_dir);
    }

    std::string write(const std::string& name, const std::vector<char>& bytes) const
    {
        const fs::path path = _dir / name;
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    std::vector<char> firstBytes(double fraction) const
    {
        return std::vector<char>(_original.begin(), _original.begin() + static_cast<long>(_original.size() * fraction));
    }
    std::vector<char> garbage() const
    {
        std::mt19937 random(7);
        std::vector<char> bytes(4096);
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        return bytes;
    }

    fs::path _dir;
    std::vector<char> _original;
};

TEST_F(LabelTest, EmptyTextHasNoSize)
{
    Label* label = Label::createWithTTF("", kFont, 24);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->getContentSize().equals(Size::ZERO));
    label->setString("SCORE 0");
    EXPECT_GT(label->getContentSize().width, 0);
    label->setString("");
    EXPECT_TRUE(label->getContentSize().equals(Size::ZERO));
}

TEST_F(LabelTest, WidthIsTheLongestLine)
{
    EXPECT_GT(sizeOf("SCORE 100").width, sizeOf("SCORE 0").width);
    EXPECT_GT(sizeOf("AB").width, sizeOf("A").width);
    EXPECT_FLOAT_EQ(sizeOf("AB\nA").width, sizeOf("AB").width);
    EXPECT_FLOAT_EQ(sizeOf("A\nAB").width, sizeOf("AB").width);
    // DejaVu kerns "AV" closer than its two letters apart.
    EXPECT_LT(sizeOf("AV", Size::ZERO, kWideFont).width,
              sizeOf("A", Size::ZERO, kWideFont).width + sizeOf("V", Size::ZERO, kWideFont).width);
}

TEST_F(LabelTest, HeightIsLinesTimesLineHeight)
{
    Label* label = Label::createWithTTF("A", kFont, 24);
    ASSERT_NE(label, nullptr);
    const float lineHeight = label->getLineHeight();
    // ascender − descender of a 24 px face: about the font size, never tiny or huge.
    EXPECT_GE(lineHeight, 20);
    EXPECT_LE(lineHeight, 48);
    EXPECT_FLOAT_EQ(label->getContentSize().height, lineHeight);
    EXPECT_FLOAT_EQ(sizeOf("A\nB\nC").height, 3 * lineHeight);
    EXPECT_FLOAT_EQ(sizeOf("A\n").height, 2 * lineHeight);
    EXPECT_GT(sizeOf("A", Size::ZERO).height, Label::createWithTTF("A", kFont, 12)->getContentSize().height);
}

TEST_F(LabelTest, ChangedTextResizesAboutTheAnchor)
{
    Label* label = Label::createWithTTF("SCORE 0", kFont, 24);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->getAnchorPoint().equals(Vec2::ANCHOR_MIDDLE));
    label->setPosition(200, 100);
    label->setString("SCORE 100");
    const Size expected = sizeOf("SCORE 100");
    const Rect box = label->getBoundingBox();
    EXPECT_FLOAT_EQ(box.size.width, expected.width);
    EXPECT_FLOAT_EQ(box.size.height, expected.height);
    EXPECT_FLOAT_EQ(box.getMidX(), 200);
    EXPECT_FLOAT_EQ(box.getMidY(), 100);
}

TEST_F(LabelTest, DimensionsFixTheSizeAndWrapAtSpaces)
{
    const float lineHeight = sizeOf("a").height;
    const float width = sizeOf("aaa bbb").width + 2;
    EXPECT_TRUE(sizeOf("aaa bbb ccc ddd", Size(width, 0)).equals(Size(width, 2 * lineHeight)));
    // One word wider than the label breaks inside the word rather than overflowing forever.
    EXPECT_GT(sizeOf("aaaaaaaaaaaaaaaa", Size(width, 0)).height, lineHeight);
    EXPECT_TRUE(sizeOf("a", Size(300, 120)).equals(Size(300, 120)));
}

TEST_F(LabelTest, MaximumLineWidthWrapsAndTheLongestLineIsTheWidth)
{
    const float lineHeight = sizeOf("a").height;
    const float width = sizeOf("aaa bbb").width + 2;
    Label* label = Label::createWithTTF(TTFConfig(kFont, 24), "aaa bbb aaa", TextHAlignment::CENTER,
                                        static_cast<int>(width));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getTTFConfig().fontFilePath, kFont);
    EXPECT_FLOAT_EQ(label->getTTFConfig().fontSize, 24);
    EXPECT_TRUE(label->getContentSize().equals(Size(sizeOf("aaa bbb").width, 2 * lineHeight)));
    EXPECT_FLOAT_EQ(label->getMaxLineWidth(), static_cast<float>(static_cast<int>(width)));
    label->setString("a b");
    EXPECT_TRUE(label->getContentSize().equals(sizeOf("a b")));
    label->setDimensions(300, 0); // a fixed width still wins
    EXPECT_FLOAT_EQ(label->getContentSize().width, 300);
}

TEST_F(LabelTest, MalformedUTF8IsSkipped)
{
    EXPECT_FLOAT_EQ(sizeOf("A\xff\xc3"
                           "B\x80")
                        .width,
                    sizeOf("AB").width);
    EXPECT_GT(sizeOf("caf\xc3\xa9", Size::ZERO, kWideFont).width, sizeOf("caf", Size::ZERO, kWideFont).width);

    EXPECT_EQ(decodeUTF8("caf\xc3\xa9"), U"caf\u00e9");
    EXPECT_EQ(decodeUTF8("\xf0\x9f\x99\x82!"), U"\U0001F642!");
    EXPECT_EQ(decodeUTF8("a\xc0\xaf"
                         "b"),
              U"ab"); // overlong '/'
    EXPECT_EQ(decodeUTF8("a\xed\xa0\x80"
                         "b"),
              U"ab"); // surrogate
    EXPECT_EQ(decodeUTF8("a\xf4\x90\x80\x80"
                         "b"),
              U"ab");                           // past U+10FFFF
    EXPECT_EQ(decodeUTF8("ab\xe2\x82"), U"ab"); // cut short
}

TEST_F(BrokenFonts, MissingOrDamagedFontGivesNullAndNamesTheFile)
{
    const std::vector<std::string> paths = {
        (_dir / "missing.ttf").string(),
        write("empty.ttf", {}),
        write("garbage-mt19937-seed-7.ttf", garbage()),
        write("header-only.ttf", firstBytes(0.01)),
        write("half.ttf", firstBytes(0.5)),
        write("almost-whole.ttf", firstBytes(0.99)),
    };
    for (const std::string& path : paths)
    {
        SCOPED_TRACE(path);
        testing::internal::CaptureStderr();
        EXPECT_EQ(Label::createWithTTF("SCORE 0", path, 24), nullptr);
        EXPECT_EQ(Label::createWithTTF(TTFConfig(path, 24), "SCORE 0"), nullptr);
        EXPECT_NE(testing::internal::GetCapturedStderr().find(path), std::string::npos);
    }
    EXPECT_NE(Label::createWithTTF("SCORE 0", write("whole.ttf", firstBytes(1.0)), 24), nullptr);
}

TEST_F(LabelTest, UnusableFontSizeIsRefused)
{
    for (float size : {0.0f, -12.0f, 1e9f})
    {
        EXPECT_EQ(Label::createWithTTF("SCORE 0", kFont, size), nullptr);
        Label* label = Label::createWithSystemFont("SCORE 0", "", size);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->getContentSize().equals(Size::ZERO));
    }
}

TEST_F(BrokenFonts, SystemFontFallsBackToTheDefaultSansFace)
{
    const std::string damaged = write("damaged.ttf", firstBytes(0.5));
    for (const std::string& name : {std::string("Artial"), std::string(""), damaged, std::string("nowhere.ttf")})
    {
        SCOPED_TRACE(name);
        Label* label = Label::createWithSystemFont("You Lose!", name, 32);
        ASSERT_NE(label, nullptr);
        ASSERT_NE(LabelInternals::getFontAtlas(*label), nullptr);
        EXPECT_NE(LabelInternals::getFontAtlas(*label)->getFontPath(), damaged);
        EXPECT_GT(label->getContentSize().width, 0);
        EXPECT_GT(label->getContentSize().height, 0);
    }
    EXPECT_TRUE(fs::is_regular_file(findSystemFontFile("Artial")));
    EXPECT_EQ(findSystemFontFile(kFont), kFont);
    EXPECT_NE(Label::create(), nullptr);
}

TEST_F(LabelTest, LabelTTFWrapsOneLabelAndMirrorsItsSize)
{
    LabelTTF* label = LabelTTF::create("", "Artial", 32);
    ASSERT_NE(label, nullptr);
    ASSERT_EQ(label->getChildrenCount(), 1);
    auto* inner = dynamic_cast<Label*>(label->getChildren().at(0));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->getHorizontalAlignment(), TextHAlignment::CENTER);
    EXPECT_TRUE(label->getAnchorPoint().equals(Vec2::ANCHOR_MIDDLE));
    EXPECT_TRUE(label->getContentSize().equals(Size::ZERO));

    label->setString("You Lose!");
    EXPECT_EQ(label->getString(), "You Lose!");
    const Size size = label->getContentSize();
    EXPECT_GT(size.width, 0);
    EXPECT_TRUE(size.equals(inner->getContentSize()));
    EXPECT_TRUE(inner->getPosition().equals(Vec2(size.width / 2, size.height / 2)));
    EXPECT_EQ(label->getChildrenCount(), 1);

    LabelTTF* plain = LabelTTF::create();
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->getChildrenCount(), 1);
}

TEST_F(LabelTest, LabelsOfOneFontAndSizeShareOneTexture)
{
    std::vector<Label*> labels;
    for (int i = 0; i < 100; ++i)
    {
        labels.push_back(Label::createWithTTF("SCORE " + std::to_string(i * 100), kFont, 24));
        ASSERT_NE(labels.back(), nullptr);
        labels.back()->getContentSize();
    }
    FontAtlas* atlas = LabelInternals::getFontAtlas(*labels.front());
    EXPECT_TRUE(
        std::all_of(labels.begin(), labels.end(), [&](Label* l) { return LabelInternals::getFontAtlas(*l) == atlas; }));
    EXPECT_EQ(atlas->getPageCount(), 1u);
    EXPECT_NE(LabelInternals::getFontAtlas(*Label::createWithTTF("SCORE", kFont, 25)), atlas);
}

TEST(FontAtlasTest, GlyphsFillNewPagesWithoutOverlapping)
{
    std::shared_ptr<FontAtlas> atlas = FontAtlas::acquire(kWideFont, 200);
    ASSERT_NE(atlas, nullptr);
    struct Box
    {
        Texture2D* page;
        float left, top, right, bottom;
    };
    std::vector<Box> boxes;
    for (char32_t c = U'!'; atlas->getPageCount() < 2 && c < 0x250; ++c)
    {
        const FontLetter& letter = atlas->getLetter(c);
        if (letter.page)
            boxes.push_back(
                {letter.page, letter.uvTopLeft.u, letter.uvTopLeft.v, letter.uvBottomRight.u, letter.uvBottomRight.v});
    }
    EXPECT_GT(atlas->getPageCount(), 1u);
    int misplaced = 0;
    int overlapping = 0;
    for (size_t i = 0; i < boxes.size(); ++i)
    {
        const Box& a = boxes[i];
        misplaced += !(a.left >= 0 && a.top >= 0 && a.left < a.right && a.top < a.bottom && a.right <= 1 &&
                       a.bottom <= 1);
        for (size_t j = i + 1; j < boxes.size(); ++j)
        {
            const Box& b = boxes[j];
            overlapping += a.page == b.page && a.left < b.right && b.left < a.right && a.top < b.bottom &&
                           b.top < a.bottom;
        }
    }
    EXPECT_EQ(misplaced, 0);
    EXPECT_EQ(overlapping, 0);
    EXPECT_EQ(atlas->getLetter(U' ').page, nullptr);
    EXPECT_GT(atlas->getLetter(U' ').advance, 0);
}

} // namespace
