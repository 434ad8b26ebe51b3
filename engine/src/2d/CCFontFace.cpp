#include "2d/CCFontFace.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include "base/CCConsole.h"
#include "platform/CCFileUtils.h"

NS_CC_BEGIN

namespace {

// Glyphs beyond this no longer fit an atlas page.
constexpr float kLargestFontSize = 2048.0f;
// The side of the largest atlas page, in 26.6 fixed point. A damaged outline can span tens of
// thousands of pixels, and rendering it would take seconds and gigabytes only for the atlas
// to refuse it.
constexpr FT_Pos kLargestGlyphSide = 4096 * 64;

struct LibraryDeleter
{
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
using LibraryHandle = std::shared_ptr<FT_LibraryRec_>;

struct FaceDeleter
{
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FaceHandle = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

// All faces share one FreeType library, which lives as long as any face does.
LibraryHandle sharedLibrary()
{
    static std::weak_ptr<FT_LibraryRec_> current;
    if (LibraryHandle library = current.lock())
        return library;
    FT_Library raw = nullptr;
    if (FT_Init_FreeType(&raw) != 0)
        return nullptr;
    LibraryHandle library(raw, LibraryDeleter());
    current = library;
    return library;
}

// FreeType's own table of messages, built the way its fterrors.h documents.
#undef FTERRORS_H_
#define FT_ERRORDEF(e, v, s) {e, s},
#define FT_ERROR_START_LIST {
#define FT_ERROR_END_LIST                                                                                              \
    {                                                                                                                  \
        0, nullptr                                                                                                     \
    }                                                                                                                  \
    }                                                                                                                  \
    ;
const struct
{
    int code;
    const char* message;
} kFreeTypeErrors[] =
#include FT_ERRORS_H

    std::string describe(FT_Error error)
{
    for (const auto& entry : kFreeTypeErrors)
        if (entry.code == error && entry.message)
            return entry.message;
    return "FreeType error " + std::to_string(error);
}

// 26.6 fixed point to whole pixels, rounding to nearest.
int toPixels(FT_Pos value)
{
    return static_cast<int>((value + 32) >> 6);
}

uint32_t readBigEndian(const std::vector<unsigned char>& bytes, size_t at, int width)
{
    uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | bytes[at + i];
    return value;
}

// FreeType reads sfnt tables lazily, so a file cut short opens fine and fails later, or
// never notices. The table directory says where every table ends; all must lie in the file.
bool sfntTablesFitInFile(const std::vector<unsigned char>& bytes)
{
    const size_t size = bytes.size();
    if (size < 16)
        return false;
    // A collection starts with a header that points at the directory of its first face.
    const size_t directory = readBigEndian(bytes, 0, 4) == 0x74746366 /* 'ttcf' */ ? readBigEndian(bytes, 12, 4) : 0;
    if (directory + 12 > size)
        return false;
    const size_t tableCount = readBigEndian(bytes, directory + 4, 2);
    if (directory + 12 + tableCount * 16 > size)
        return false;
    for (size_t table = 0; table < tableCount; ++table)
    {
        const size_t entry = directory + 12 + table * 16;
        const uint64_t end = uint64_t{readBigEndian(bytes, entry + 8, 4)} + readBigEndian(bytes, entry + 12, 4);
        if (end > size)
            return false;
    }
    return true;
}

using FileBytes = std::shared_ptr<const std::vector<unsigned char>>;

// One copy of a font file's bytes however many sizes of it are open (a system face can be
// most of a megabyte); empty when the file is missing, empty or unreadable.
FileBytes sharedFileBytes(const std::string& fullPath)
{
    static std::map<std::string, std::weak_ptr<const std::vector<unsigned char>>> files;
    if (auto found = files.find(fullPath); found != files.end())
    {
        if (FileBytes bytes = found->second.lock())
            return bytes;
    }
    auto bytes = std::make_shared<const std::vector<unsigned char>>(
        FileUtils::getInstance()->getDataFromFile(fullPath));
    if (bytes->empty())
        return bytes;
    for (auto entry = files.begin(); entry != files.end();)
        entry = entry->second.expired() ? files.erase(entry) : std::next(entry);
    files[fullPath] = bytes;
    return bytes;
}

} // namespace

struct FontFace::Impl
{
    std::string path;
    LibraryHandle library;
    // FreeType reads the face from these bytes for as long as the face is open.
    FileBytes bytes;
    FaceHandle face;
};

FontFace::FontFace(std::unique_ptr<Impl> impl) : _impl(std::move(impl))
{
}

FontFace::~FontFace() = default;

std::unique_ptr<FontFace> FontFace::open(const std::string& fullPath, float fontSize)
{
    auto fail = [&fullPath](const std::string& reason) {
        log("Font file '%s' cannot be used: %s", fullPath.c_str(), reason.c_str());
        return nullptr;
    };
    if (!(fontSize > 0.0f && fontSize <= kLargestFontSize))
    {
        char reason[80];
        std::snprintf(reason, sizeof reason, "font size %g is outside (0, %g]", static_cast<double>(fontSize),
                      static_cast<double>(kLargestFontSize));
        return fail(reason);
    }

    auto impl = std::make_unique<Impl>();
    impl->path = fullPath;
    impl->library = sharedLibrary();
    if (!impl->library)
        return fail("FreeType could not be initialised");
    impl->bytes = sharedFileBytes(fullPath);
    if (impl->bytes->empty())
        return fail("the file is missing, empty or unreadable");

    FT_Face raw = nullptr;
    FT_Error error = FT_New_Memory_Face(impl->library.get(), impl->bytes->data(),
                                        static_cast<FT_Long>(impl->bytes->size()), 0, &raw);
    if (error != 0)
        return fail("not a readable font (" + describe(error) + ")");
    impl->face.reset(raw);
    if (FT_IS_SFNT(raw) && !sfntTablesFitInFile(*impl->bytes))
        return fail("truncated (its tables run past the end of the file)");
    if (!FT_IS_SCALABLE(raw))
        return fail("not a scalable font");
    error = FT_Set_Char_Size(raw, 0, static_cast<FT_F26Dot6>(std::lround(fontSize * 64.0f)), 72, 72);
    if (error != 0)
        return fail("cannot be scaled (" + describe(error) + ")");

    std::unique_ptr<FontFace> face(new FontFace(std::move(impl)));
    // Rendering a few common glyphs shows whether the outlines can be read at all.
    GlyphBitmap probe;
    for (char32_t sample : {U'A', U'0', U'.'})
        if (!face->renderGlyph(sample, probe))
            return fail("its glyphs cannot be rendered (damaged file)");
    return face;
}

const std::string& FontFace::getPath() const
{
    return _impl->path;
}

int FontFace::getLineHeight() const
{
    const FT_Size_Metrics& metrics = _impl->face->size->metrics;
    return static_cast<int>((metrics.ascender - metrics.descender) >> 6);
}

int FontFace::getAscender() const
{
    return static_cast<int>(_impl->face->size->metrics.ascender >> 6);
}

bool FontFace::renderGlyph(char32_t codepoint, GlyphBitmap& out) const
{
    FT_Face face = _impl->face.get();
    const FT_UInt index = FT_Get_Char_Index(face, codepoint);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE)
    {
        FT_BBox box;
        FT_Outline_Get_CBox(&slot->outline, &box);
        if (box.xMax - box.xMin > kLargestGlyphSide || box.yMax - box.yMin > kLargestGlyphSide)
            return false;
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return false;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.width > 0 && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return false;

    out.advance = toPixels(slot->advance.x);
    out.bearingX = slot->bitmap_left;
    out.bearingY = slot->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.coverage.resize(static_cast<size_t>(out.width) * out.height);
    // A negative pitch means the rows are stored bottom-up.
    const int stride = std::abs(bitmap.pitch);
    for (int row = 0; row < out.height; ++row)
    {
        const int sourceRow = bitmap.pitch >= 0 ? row : out.height - 1 - row;
        const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(sourceRow) * stride;
        std::copy(source, source + out.width, out.coverage.begin() + static_cast<ptrdiff_t>(row) * out.width);
    }
    return true;
}

int FontFace::getKerning(char32_t left, char32_t right) const
{
    FT_Face face = _impl->face.get();
    if (!FT_HAS_KERNING(face))
        return 0;
    FT_Vector delta{0, 0};
    if (FT_Get_Kerning(face, FT_Get_Char_Index(face, left), FT_Get_Char_Index(face, right), FT_KERNING_DEFAULT,
                       &delta) != 0)
        return 0;
    return toPixels(delta.x);
}

NS_CC_END
