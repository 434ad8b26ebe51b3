// PNG decoding from arbitrary bytes: a decoded picture must hold every row it claims.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/CCImage.h"

namespace {

uint32_t readBigEndian32(const uint8_t* bytes)
{
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

// libpng is a system library without coverage feedback, and it stops at the first chunk whose
// CRC is wrong, as nearly every mutated chunk's is. Repairing the CRCs lets mutations reach
// the decoder proper.
std::vector<uint8_t> withRepairedCrcs(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> png(data, data + size);
    constexpr size_t kSignature = 8, kFraming = 12; // length, type and CRC around the chunk data
    for (size_t chunk = kSignature; chunk + kFraming <= png.size();)
    {
        const uint32_t length = readBigEndian32(&png[chunk]);
        if (length > png.size() - chunk - kFraming)
            break;
        const uint32_t crc = static_cast<uint32_t>(crc32(0, &png[chunk + 4], length + 4));
        uint8_t* crcBytes = &png[chunk + 8 + length];
        for (int i = 0; i < 4; ++i)
            crcBytes[i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
        chunk += kFraming + length;
    }
    return png;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> png = withRepairedCrcs(data, size);
    cocos2d::Image image;
    if (!image.initWithImageData(png.data(), static_cast<ssize_t>(png.size())))
        return 0;

    const size_t rowBytes = static_cast<size_t>(image.getWidth()) * 4;
    if (rowBytes == 0 || image.getDataLen() != static_cast<ssize_t>(rowBytes * image.getHeight()))
        std::abort();
    // Reading both ends of each row lets AddressSanitizer check the buffer really covers it.
    volatile unsigned char sink = 0;
    const unsigned char* pixels = image.getData();
    for (int row = 0; row < image.getHeight(); ++row)
        sink = sink ^ pixels[row * rowBytes] ^ pixels[row * rowBytes + rowBytes - 1];
    return 0;
}
