#include "countconversion.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tallyfen {
namespace {

constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Exponents are clamped here: far beyond any digit count a text can hold, and far from the
// limits of int64, so the arithmetic on decimal positions below cannot overflow.
constexpr std::int64_t exponentLimit = std::int64_t{1} << 50;

// The pieces of a well-formed number; the digits are not yet interpreted.
struct NumberParts
{
    bool negative = false;
    std::string_view integerPart;  // digits, with group separators between groups of three
    std::string_view fractionPart; // digits only
    std::int64_t exponent = 0;
};

class Scanner
{
public:
    explicit Scanner(std::string_view text) : m_rest(text) {}

    bool atEnd() const { return m_rest.empty(); }
    std::string_view rest() const { return m_rest; }

    bool consume(std::string_view token)
    {
        if (token.empty() || !m_rest.starts_with(token))
            return false;
        m_rest.remove_prefix(token.size());
        return true;
    }

    bool consumeAny(char a, char b) { return consume({&a, 1}) || consume({&b, 1}); }

    std::string_view digits()
    {
        const auto count = static_cast<std::size_t>(
            std::find_if_not(m_rest.begin(), m_rest.end(), isDigit) - m_rest.begin());
        const std::string_view run = m_rest.substr(0, count);
        m_rest.remove_prefix(count);
        return run;
    }

    // A group separator counts only when exactly three digits follow it.
    bool consumeGroup(std::string_view separator)
    {
        if (separator.empty() || !m_rest.starts_with(separator))
            return false;
        const std::string_view after = m_rest.substr(separator.size());
        const bool threeDigits = after.size() >= 3 &&
                                 std::all_of(after.begin(), after.begin() + 3, isDigit) &&
                                 (after.size() == 3 || !isDigit(after[3]));
        if (!threeDigits)
            return false;
        m_rest.remove_prefix(separator.size() + 3);
        return true;
    }

private:
    std::string_view m_rest;
};

std::int64_t saturatedExponent(std::string_view digits, bool negative)
{
    std::int64_t magnitude = 0;
    for (const char digit : digits)
        magnitude = std::min(exponentLimit, magnitude * 10 + (digit - '0'));
    return negative ? -magnitude : magnitude;
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<NumberParts> splitNumber(std::string_view text, const NumberFormat& format)
{
    Scanner scanner(trimBlanks(text));
    NumberParts parts;
    parts.negative = scanner.consume("-");
    if (!parts.negative)
        scanner.consume("+");

    const std::string_view integerStart = scanner.rest();
    const std::string_view leadingRun = scanner.digits();
    if (!leadingRun.empty() && leadingRun.size() <= 3) {
        while (scanner.consumeGroup(format.groupSeparator)) {
        }
    }
    parts.integerPart = integerStart.substr(0, integerStart.size() - scanner.rest().size());

    if (scanner.consume(format.decimalSeparator))
        parts.fractionPart = scanner.digits();
    if (parts.integerPart.empty() && parts.fractionPart.empty())
        return std::nullopt;

    if (scanner.consumeAny('e', 'E')) {
        const bool negativeExponent = scanner.consume("-");
        if (!negativeExponent)
            scanner.consume("+");
        const std::string_view exponentDigits = scanner.digits();
        if (exponentDigits.empty())
            return std::nullopt;
        parts.exponent = saturatedExponent(exponentDigits, negativeExponent);
    }
    if (!scanner.atEnd())
        return std::nullopt;
    return parts;
}

// Rounds the number to a whole one, a half to the even neighbour, working on its decimal digits
// so that no binary approximation can move a tie. Empty when the magnitude reaches 100000,
// which no Count can hold.
std::optional<std::int64_t> roundedMagnitude(const NumberParts& parts)
{
    // Digits in reading order, the separators between integer groups left out.
    auto forEachDigit = [&parts](auto&& visit) {
        for (const char c : parts.integerPart) {
            if (isDigit(c))
                visit(c - '0');
        }
        for (const char c : parts.fractionPart)
            visit(c - '0');
    };

    std::int64_t integerDigits = 0;
    for (const char c : parts.integerPart)
        integerDigits += isDigit(c) ? 1 : 0;
    std::int64_t leadingZeros = 0;
    bool allZero = true;
    forEachDigit([&](int digit) {
        if (allZero && digit == 0)
            ++leadingZeros;
        else
            allZero = false;
    });
    if (allZero)
        return 0;

    // The value is 0.d1 d2 d3 ... x 10^pointPosition, with d1 the first digit that is not 0.
    const std::int64_t pointPosition = integerDigits - leadingZeros + parts.exponent;
    constexpr std::int64_t maxWholeDigits = 5;
    if (pointPosition > maxWholeDigits)
        return std::nullopt;

    std::int64_t whole = 0;
    int roundingDigit = 0;
    bool nonZeroBeyond = false;
    std::int64_t significantIndex = -leadingZeros;
    forEachDigit([&](int digit) {
        const std::int64_t index = significantIndex++;
        if (index < 0)
            return;
        if (index < pointPosition)
            whole = whole * 10 + digit;
        else if (index == pointPosition)
            roundingDigit = digit;
        else if (digit != 0)
            nonZeroBeyond = true;
    });
    if (pointPosition < 0) {
        // Below 0.1: nothing to round up to.
        return 0;
    }
    for (std::int64_t i = significantIndex; i < pointPosition; ++i)
        whole *= 10;

    const bool tie = roundingDigit == 5 && !nonZeroBeyond;
    if (roundingDigit > 5 || (roundingDigit == 5 && !tie) || (tie && whole % 2 == 1))
        ++whole;
    return whole;
}

} // namespace

std::variant<Count, FailureKind> convertCountText(std::string_view text, const NumberFormat& format)
{
    const std::optional<NumberParts> parts = splitNumber(text, format);
    if (!parts)
        return FailureKind::typeMismatch;
    const std::optional<std::int64_t> magnitude = roundedMagnitude(*parts);
    if (!magnitude)
        return FailureKind::overflow;
    const std::int64_t value = parts->negative ? -*magnitude : *magnitude;
    if (!std::in_range<Count>(value))
        return FailureKind::overflow;
    return static_cast<Count>(value);
}

} // namespace tallyfen
