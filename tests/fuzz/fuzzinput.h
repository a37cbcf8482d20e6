#pragma once

#include <cstddef>
#include <cstdint>
#include <numberformat.h>
#include <string>
#include <string_view>

namespace tallyfen::fuzzing {

// A fuzz input: its first byte picks the locale's separators, the rest is what the player typed.
struct FuzzInput
{
    NumberFormat format;
    std::string_view text;
};

inline FuzzInput splitFuzzInput(const std::uint8_t* data, std::size_t size)
{
    // Separators of real locales, multi-byte ones included; never a blank, which would make a
    // grouped number and blanks around it ambiguous.
    static const NumberFormat formats[] = {{".", ","},      {",", "."}, {",", "\u202F"},
                                           {".", "\u00A0"}, {".", "'"}, {".", ""}};
    if (size == 0)
        return {formats[0], {}};
    const NumberFormat& format = formats[data[0] % std::size(formats)];
    return {format, std::string_view(reinterpret_cast<const char*>(data + 1), size - 1)};
}

// The text with every byte that is not printable ASCII written as \xNN, for a failure report.
inline std::string printable(std::string_view text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            shown += c;
        } else {
            shown += "\\x";
            shown += hex[byte >> 4];
            shown += hex[byte & 0xF];
        }
    }
    return shown;
}

} // namespace tallyfen::fuzzing
