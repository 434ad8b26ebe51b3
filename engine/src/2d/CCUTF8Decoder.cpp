#include "2d/CCUTF8Decoder.h"

NS_CC_BEGIN

namespace {

struct SequenceStart
{
    int length;        // total bytes, 0 when the byte cannot start a sequence
    char32_t bits;     // payload of the lead byte
    char32_t smallest; // lowest code point this length may encode
};

SequenceStart classify(unsigned char lead)
{
    if ((lead & 0xE0) == 0xC0)
        return {2, lead & 0x1Fu, 0x80};
    if ((lead & 0xF0) == 0xE0)
        return {3, lead & 0x0Fu, 0x800};
    if ((lead & 0xF8) == 0xF0)
        return {4, lead & 0x07u, 0x10000};
    return {0, 0, 0};
}

} // namespace

std::u32string decodeUTF8(const std::string& text)
{
    std::u32string codepoints;
    codepoints.reserve(text.size());
    size_t i = 0;
    while (i < text.size())
    {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80)
        {
            codepoints.push_back(lead);
            ++i;
            continue;
        }
        const SequenceStart start = classify(lead);
        bool wellFormed = start.length > 0 && i + start.length <= text.size();
        char32_t codepoint = start.bits;
        for (int k = 1; wellFormed && k < start.length; ++k)
        {
            const auto next = static_cast<unsigned char>(text[i + k]);
            wellFormed = (next & 0xC0) == 0x80;
            codepoint = (codepoint << 6) | (next & 0x3Fu);
        }
        wellFormed = wellFormed && codepoint >= start.smallest && codepoint <= 0x10FFFF &&
                     (codepoint < 0xD800 || codepoint > 0xDFFF);
        if (wellFormed)
        {
            codepoints.push_back(codepoint);
            i += start.length;
        }
        else
        {
            ++i;
        }
    }
    return codepoints;
}

NS_CC_END
