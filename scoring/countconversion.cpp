#include "countconversion.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tallyfen {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The separators a player may type for the locale's own. Where it groups with a blank, any of
// the three that look alike (few keyboards type the narrow no-break space); where it groups with
// an apostrophe, the typed one as well as the typographic one.
std::vector<std::string_view> typedGroupSeparators(std::string_view groupSeparator)
{
    static constexpr std::array<std::string_view, 3> blanks{" ", "\u00A0", "\u202F"};
    static constexpr std::array<std::string_view, 2> apostrophes{"'", "\u2019"};
    for (const auto& alike : {std::span<const std::string_view>(blanks),
                              std::span<const std::string_view>(apostrophes)})
        if (std::find(alike.begin(), alike.end(), groupSeparator) != alike.end())
            return {alike.begin(), alike.end()};
    return {groupSeparator};
}

// The text cut at every occurrence of any of the separators.
std::vector<std::string_view> splitAtAny(std::string_view text,
                                         const std::vector<std::string_view>& separators)
{
    std::vector<std::string_view> pieces;
    for (;;) {
        std::size_t found = std::string_view::npos;
        std::size_t length = 0;
        for (const std::string_view separator : separators)
            if (const std::size_t at = text.find(separator); at < found) {
                found = at;
                length = separator.size();
            }
        pieces.push_back(text.substr(0, found));
        if (found == std::string_view::npos)
            return pieces;
        text.remove_prefix(found + length);
    }
}

// The digits of the integer part with any group separators taken out, or nothing when the
// grouping is not in threes.
std::optional<std::string> ungroupedDigits(std::string_view integerPart,
                                           std::string_view groupSeparator)
{
    const std::vector<std::string_view> groups =
        groupSeparator.empty() ? std::vector{integerPart}
                               : splitAtAny(integerPart, typedGroupSeparators(groupSeparator));
    std::string digits;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const bool sizeFits =
            groups.size() == 1 ||
            (i == 0 ? groups[i].size() >= 1 && groups[i].size() <= 3 : groups[i].size() == 3);
        if (!sizeFits || !allDigits(groups[i]))
            return std::nullopt;
        digits += groups[i];
    }
    return digits;
}

// Exponents beyond this are far past any digit string a text can hold, and ten times it is far
// from the limit of int64.
constexpr std::int64_t hugeExponent = 1'000'000'000'000'000;

// The exponent's value, held at +-hugeExponent when it is larger than that.
std::optional<std::int64_t> exponentValue(std::string_view text)
{
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    if (text.empty() || !allDigits(text))
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text)
        value = std::min(hugeExponent, value * 10 + (c - '0'));
    return negative ? -value : value;
}

// Most boxes hold a few plain digits, and up to four of them are always a Count: they skip the
// copies the general reading makes.
std::optional<Count> plainDigits(std::string_view text)
{
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return static_cast<Count>(value);
}

// Blanks, signs, separators and exponents. Out of line, so that plain digits do not pay for
// this reading's stack frame.
[[gnu::noinline]] CountReading readNumberText(std::string_view text, const NumberFormat& format)
{
    constexpr FailureKind mismatch = FailureKind::typeMismatch;
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);

    std::int64_t exponent = 0;
    std::string_view mantissa = text;
    if (const std::size_t e = text.find_first_of("eE"); e != std::string_view::npos) {
        const std::optional<std::int64_t> value = exponentValue(text.substr(e + 1));
        if (!value)
            return mismatch;
        exponent = *value;
        mantissa = text.substr(0, e);
    }

    std::string_view integerPart = mantissa;
    std::string_view fractionPart;
    if (const std::size_t point = mantissa.find(format.decimalSeparator);
        !format.decimalSeparator.empty() && point != std::string_view::npos) {
        integerPart = mantissa.substr(0, point);
        fractionPart = mantissa.substr(point + format.decimalSeparator.size());
    }
    const std::optional<std::string> integerDigits =
        ungroupedDigits(integerPart, format.groupSeparator);
    if (!integerDigits || !allDigits(fractionPart) ||
        integerDigits->size() + fractionPart.size() == 0)
        return mismatch;

    // The number is exactly digits x 10^scale.
    std::string digits = *integerDigits + std::string(fractionPart);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty())
        return Count{0};
    const std::int64_t scale = exponent - static_cast<std::int64_t>(fractionPart.size());

    // Beyond five whole digits the value is at least 100000; before the first one it is below
    // a tenth.
    const std::int64_t wholeDigitCount = static_cast<std::int64_t>(digits.size()) + scale;
    if (wholeDigitCount > 5)
        return FailureKind::overflow;
    if (wholeDigitCount < 0)
        return Count{0};
    const auto wholeCount = static_cast<std::size_t>(wholeDigitCount);
    if (digits.size() < wholeCount)
        digits.append(wholeCount - digits.size(), '0');
    const std::string_view whole = std::string_view(digits).substr(0, wholeCount);
    const std::string_view fraction = std::string_view(digits).substr(wholeCount);

    int magnitude = 0;
    for (const char c : whole)
        magnitude = magnitude * 10 + (c - '0');
    // A half goes to the even neighbour; anything past the half, up.
    const char roundingDigit = fraction.empty() ? '0' : fraction[0];
    const bool pastHalf = fraction.find_first_not_of('0', 1) != std::string_view::npos;
    if (roundingDigit > '5' || (roundingDigit == '5' && (pastHalf || magnitude % 2 == 1)))
        ++magnitude;

    const int value = negative ? -magnitude : magnitude;
    if (!std::in_range<Count>(value))
        return FailureKind::overflow;
    return static_cast<Count>(value);
}

} // namespace

CountReading convertCountText(std::string_view text, const NumberFormat& format)
{
    if (const std::optional<Count> plain = plainDigits(text))
        return *plain;
    return readNumberText(text, format);
}

} // namespace tallyfen
