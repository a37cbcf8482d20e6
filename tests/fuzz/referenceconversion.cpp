#include "referenceconversion.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tallyfen::reference {

namespace {

constexpr FailureKind mismatch = FailureKind::typeMismatch;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string_view> splitAt(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t found = text.find(separator); found != std::string_view::npos;
         found = text.find(separator, start)) {
        pieces.push_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

// The digits of the integer part with any group separators taken out, or nothing when the
// grouping is not in threes.
std::optional<std::string> ungroupedDigits(std::string_view integerPart,
                                           std::string_view groupSeparator)
{
    if (groupSeparator.empty() || integerPart.find(groupSeparator) == std::string_view::npos) {
        if (!allDigits(integerPart))
            return std::nullopt;
        return std::string(integerPart);
    }
    const std::vector<std::string_view> groups = splitAt(integerPart, groupSeparator);
    std::string digits;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const bool sizeFits =
            i == 0 ? groups[i].size() >= 1 && groups[i].size() <= 3 : groups[i].size() == 3;
        if (!sizeFits || !allDigits(groups[i]))
            return std::nullopt;
        digits += groups[i];
    }
    return digits;
}

// Exponents beyond this are far past any digit string a text can hold.
constexpr std::int64_t hugeExponent = 1'000'000'000'000'000;

// The exponent's value, held at ±hugeExponent when it is larger than that.
std::optional<std::int64_t> exponentValue(std::string_view exponentText)
{
    bool negative = false;
    if (!exponentText.empty() && (exponentText[0] == '+' || exponentText[0] == '-')) {
        negative = exponentText[0] == '-';
        exponentText.remove_prefix(1);
    }
    if (exponentText.empty() || !allDigits(exponentText))
        return std::nullopt;
    const std::size_t firstSignificant = exponentText.find_first_not_of('0');
    const std::string_view significant = firstSignificant == std::string_view::npos
                                             ? std::string_view()
                                             : exponentText.substr(firstSignificant);
    std::int64_t value = hugeExponent;
    if (significant.empty())
        value = 0;
    else if (significant.size() < 16)
        value = std::min<std::int64_t>(hugeExponent, std::stoll(std::string(significant)));
    return negative ? -value : value;
}

} // namespace

std::variant<Count, FailureKind> convertCountTextSlowly(std::string_view text,
                                                        const NumberFormat& format)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }

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

    // The number is digits x 10^scale, exactly.
    std::string digits = *integerDigits + std::string(fractionPart);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty())
        return Count{0};
    if (exponent >= hugeExponent)
        return FailureKind::overflow;
    if (exponent <= -hugeExponent)
        return Count{0};
    const std::int64_t scale = exponent - static_cast<std::int64_t>(fractionPart.size());

    // Where the decimal point falls among the significant digits; beyond five whole digits
    // the value is at least 100000, before the first one it is below a tenth.
    const std::int64_t wholeDigitCount = static_cast<std::int64_t>(digits.size()) + scale;
    if (wholeDigitCount > 5)
        return FailureKind::overflow;
    if (wholeDigitCount < 0)
        return Count{0};
    const std::size_t wholeCount = static_cast<std::size_t>(wholeDigitCount);
    if (digits.size() < wholeCount)
        digits.append(wholeCount - digits.size(), '0');
    const std::string whole = digits.substr(0, wholeCount);
    const std::string fraction = digits.substr(wholeCount);

    int magnitude = whole.empty() ? 0 : std::stoi(whole);
    const char firstFractionDigit = fraction.empty() ? '0' : fraction[0];
    const bool anythingAfterIt =
        fraction.find_first_not_of('0', 1) != std::string::npos && fraction.size() > 1;
    if (firstFractionDigit > '5' || (firstFractionDigit == '5' && anythingAfterIt) ||
        (firstFractionDigit == '5' && !anythingAfterIt && magnitude % 2 == 1))
        ++magnitude;

    const int value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return FailureKind::overflow;
    return static_cast<Count>(value);
}

} // namespace tallyfen::reference
