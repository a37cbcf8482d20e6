#include "countconversion.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
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

// The significant digits of a number as they are read: the first few exactly, the rest only by
// where the last one that is not zero stands. Rounding to a Count needs no more, however long the
// text.
class SignificantDigits
{
public:
    void add(int digit, bool inIntegerPart)
    {
        if (m_count == 0 && digit == 0) {
            // A leading zero: in the fraction it moves the point, in the integer part nothing.
            if (!inIntegerPart)
                --m_pointPosition;
            return;
        }
        if (m_count < headLength)
            m_head[static_cast<std::size_t>(m_count)] = digit;
        if (digit != 0)
            m_lastNonZero = m_count;
        ++m_count;
        if (inIntegerPart)
            ++m_pointPosition;
    }

    // The value rounded to a whole number, a half to the even neighbour. Empty when the magnitude
    // reaches 100000, which no Count can hold.
    std::optional<std::int64_t> roundedMagnitude(std::int64_t exponent) const
    {
        if (m_count == 0)
            return 0;
        // The value is 0.d1 d2 d3 ... x 10^point, with d1 the first digit that is not 0; digits
        // past those read are zeros.
        const std::int64_t point = m_pointPosition + exponent;
        if (point > maxWholeDigits)
            return std::nullopt;
        if (point < 0)
            return 0; // below 0.1
        const auto wholeDigits = static_cast<std::size_t>(point);
        std::int64_t whole = 0;
        for (std::size_t i = 0; i < wholeDigits; ++i)
            whole = whole * 10 + m_head[i];
        const int roundingDigit = m_head[wholeDigits];
        const bool beyondHalf = m_lastNonZero > point;
        if (roundingDigit > 5 || (roundingDigit == 5 && (beyondHalf || whole % 2 != 0)))
            ++whole;
        return whole;
    }

private:
    static constexpr std::int64_t maxWholeDigits = 5;
    // Every whole digit, the rounding digit and one more.
    static constexpr std::int64_t headLength = maxWholeDigits + 2;

    std::array<int, static_cast<std::size_t>(headLength)> m_head{};
    std::int64_t m_count = 0;
    std::int64_t m_pointPosition = 0;
    std::int64_t m_lastNonZero = 0; // index among the significant digits
};

// Exponents are clamped far beyond any digit count a text can hold and far from the limits of
// int64, so the sum of point position and exponent cannot overflow.
constexpr std::int64_t exponentLimit = std::int64_t{1} << 50;

class Reader
{
public:
    explicit Reader(std::string_view text) : m_rest(text) {}

    bool atEnd() const { return m_rest.empty(); }

    bool take(std::string_view token)
    {
        if (token.empty() || !m_rest.starts_with(token))
            return false;
        m_rest.remove_prefix(token.size());
        return true;
    }

    bool takeEither(char a, char b)
    {
        if (m_rest.empty() || (m_rest.front() != a && m_rest.front() != b))
            return false;
        m_rest.remove_prefix(1);
        return true;
    }

    std::size_t takeDigits(SignificantDigits& digits, bool inIntegerPart)
    {
        std::size_t count = 0;
        while (count < m_rest.size() && isDigit(m_rest[count]))
            digits.add(m_rest[count++] - '0', inIntegerPart);
        m_rest.remove_prefix(count);
        return count;
    }

    // A group separator counts only when exactly three digits follow it.
    bool takeGroup(std::string_view separator, SignificantDigits& digits)
    {
        if (separator.empty() || !m_rest.starts_with(separator))
            return false;
        const std::string_view after = m_rest.substr(separator.size());
        if (after.size() < 3 || !std::all_of(after.begin(), after.begin() + 3, isDigit) ||
            (after.size() > 3 && isDigit(after[3])))
            return false;
        m_rest.remove_prefix(separator.size());
        takeDigits(digits, true);
        return true;
    }

    std::optional<std::int64_t> takeExponent()
    {
        const bool negative = take("-");
        if (!negative)
            take("+");
        std::int64_t magnitude = 0;
        std::size_t count = 0;
        for (; count < m_rest.size() && isDigit(m_rest[count]); ++count)
            magnitude = std::min(exponentLimit, magnitude * 10 + (m_rest[count] - '0'));
        if (count == 0)
            return std::nullopt;
        m_rest.remove_prefix(count);
        return negative ? -magnitude : magnitude;
    }

private:
    std::string_view m_rest;
};

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Most boxes hold a few plain digits; up to four of them are always a Count as they stand.
std::optional<Count> plainDigits(std::string_view text)
{
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return static_cast<Count>(value);
}

// Every other form. Kept out of line, so that plain digits do not pay for its stack frame.
[[gnu::noinline]] std::variant<Count, FailureKind> convertWrittenNumber(std::string_view text,
                                                                        const NumberFormat& format)
{
    Reader reader(trimBlanks(text));
    const bool negative = reader.take("-");
    if (!negative)
        reader.take("+");

    SignificantDigits digits;
    const std::size_t leadingRun = reader.takeDigits(digits, true);
    if (leadingRun > 0 && leadingRun <= 3) {
        while (reader.takeGroup(format.groupSeparator, digits)) {
        }
    }
    std::size_t fractionDigits = 0;
    if (reader.take(format.decimalSeparator))
        fractionDigits = reader.takeDigits(digits, false);
    if (leadingRun == 0 && fractionDigits == 0)
        return FailureKind::typeMismatch;

    std::int64_t exponent = 0;
    if (reader.takeEither('e', 'E')) {
        const std::optional<std::int64_t> written = reader.takeExponent();
        if (!written)
            return FailureKind::typeMismatch;
        exponent = *written;
    }
    if (!reader.atEnd())
        return FailureKind::typeMismatch;

    const std::optional<std::int64_t> magnitude = digits.roundedMagnitude(exponent);
    if (!magnitude)
        return FailureKind::overflow;
    const std::int64_t value = negative ? -*magnitude : *magnitude;
    if (!std::in_range<Count>(value))
        return FailureKind::overflow;
    return static_cast<Count>(value);
}

} // namespace

std::variant<Count, FailureKind> convertCountText(std::string_view text, const NumberFormat& format)
{
    if (const std::optional<Count> plain = plainDigits(text))
        return *plain;
    return convertWrittenNumber(text, format);
}

} // namespace tallyfen
