#include "platform/CCImage.h"

#include <png.h>

#include <algorithm>

#include "base/CCConsole.h"
#include "internal/GLContext.h"
#include "platform/CCFileUtils.h"

NS_CC_BEGIN

namespace {

// 256 MiB of pixels at this side: far beyond any sprite, and a header that asks for more
// costs gigabytes to decode from a few kilobytes of file.
constexpr png_uint_32 kLongestSide = 8192;

// A texture the context cannot take is refused before its pixels are decoded.
png_uint_32 longestSide()
{
    const int contextLimit = gl::maxTextureSide();
    return contextLimit > 0 ? std::min(kLongestSide, static_cast<png_uint_32>(contextLimit)) : kLongestSide;
}

// Deflate cannot expand its input by more than about 1032:1, so a header promising more
// pixel bits than the file could hold is truncated or forged; refusing it early avoids a
// large allocation that the decoder would only fail to fill.
constexpr unsigned long long kMaxDeflateRatio = 1032;

bool headerFitsInFile(png_uint_32 width, png_uint_32 height, size_t fileSize)
{
    const unsigned long long minimalPixelBytes = static_cast<unsigned long long>(width) * height / 8;
    return minimalPixelBytes <= fileSize * kMaxDeflateRatio;
}

// The simplified libpng reader keeps its longjmp handling inside libpng; this guard only
// makes sure its state is freed on every path out.
struct PngReader
{
    png_image image{};

    PngReader() { image.version = PNG_IMAGE_VERSION; }
    ~PngReader() { png_image_free(&image); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;
};

std::string pngMessage(const png_image& image)
{
    const std::string message = image.message;
    if (message == "read beyond end of data")
        return "the file is truncated";
    return message.empty() ? "unknown libpng error" : message;
}

} // namespace

Image::Image() = default;
Image::~Image() = default;

bool Image::initWithImageFile(const std::string& path)
{
    FileUtils* files = FileUtils::getInstance();
    const std::string fullPath = files->fullPathForFilename(path);
    bool decoded = false;
    if (fullPath.empty())
    {
        _error = "file not found";
    }
    else
    {
        const std::vector<unsigned char> bytes = files->getDataFromFile(fullPath);
        if (!bytes.empty())
            decoded = initWithImageData(bytes.data(), static_cast<ssize_t>(bytes.size()));
        else
            _error = files->isFileExist(fullPath) ? "file is empty or unreadable" : "file not found";
    }
    if (!decoded)
    {
        _data.clear();
        _width = _height = 0;
        log("Can't load image \"%s\": %s", fullPath.empty() ? path.c_str() : fullPath.c_str(), _error.c_str());
    }
    return decoded;
}

bool Image::initWithImageData(const unsigned char* data, ssize_t dataLen)
{
    _data.clear();
    _width = _height = 0;
    _error.clear();

    auto fail = [this](std::string reason) {
        _error = std::move(reason);
        return false;
    };

    if (data == nullptr || dataLen <= 0)
        return fail("no data");
    const size_t size = static_cast<size_t>(dataLen);
    if (size < 8 || png_sig_cmp(data, 0, 8) != 0)
        return fail("not a PNG file");

    PngReader reader;
    png_image& image = reader.image;
    if (!png_image_begin_read_from_memory(&image, data, size))
        return fail("bad PNG header: " + pngMessage(image));

    const png_uint_32 limit = longestSide();
    if (image.width == 0 || image.height == 0 || image.width > limit || image.height > limit)
    {
        return fail("unsupported size " + std::to_string(image.width) + "x" + std::to_string(image.height) +
                    " (at most " + std::to_string(limit) + " pixels a side)");
    }
    if (!headerFitsInFile(image.width, image.height, size))
    {
        return fail("file too short for its declared size " + std::to_string(image.width) + "x" +
                    std::to_string(image.height));
    }

    image.format = PNG_FORMAT_RGBA;
    // Keep 16-bit samples as stored (scaled to 8 bits) rather than treating them as linear light.
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;

    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        return fail("bad PNG data: " + pngMessage(image));

    _data = std::move(pixels);
    _width = static_cast<int>(image.width);
    _height = static_cast<int>(image.height);
    return true;
}

NS_CC_END
