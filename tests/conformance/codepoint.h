#pragma once

#include <string>

// A code point as UTF-8, as the tests write the characters they name by number.
inline std::string utf8Of(char32_t codePoint)
{
    const int continuations = codePoint < 0x80      ? 0
                              : codePoint < 0x800   ? 1
                              : codePoint < 0x10000 ? 2
                                                    : 3;
    constexpr char32_t leads[] = {0x00, 0xC0, 0xE0, 0xF0};
    std::string text(1, static_cast<char>(leads[continuations] | codePoint >> (6 * continuations)));
    for (int shift = 6 * (continuations - 1); shift >= 0; shift -= 6)
        text += static_cast<char>(0x80 | ((codePoint >> shift) & 0x3F));
    return text;
}
