#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tallyfen {

struct Utf8CodePoint
{
    char32_t codePoint;
    std::size_t length;
    bool wellFormed;
};

// The code point a UTF-8 text (not empty) starts with. A byte that does not start a well-formed
// sequence (a stray or missing continuation byte, an overlong form, a surrogate, a value past
// U+10FFFF) is read as U+FFFD, one byte long.
constexpr Utf8CodePoint decodeUtf8(std::string_view text)
{
    constexpr Utf8CodePoint notUtf8{0xFFFD, 1, false};
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t length = 0;
    char32_t codePoint = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07u;
    } else {
        return notUtf8;
    }
    if (length > text.size())
        return notUtf8;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80)
            return notUtf8;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    constexpr std::array<char32_t, 5> shortest{0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < shortest[length] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return notUtf8;
    return {codePoint, length, true};
}

} // namespace tallyfen
