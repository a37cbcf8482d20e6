#include "percent.h"

#include <cmath>

namespace tallyfen {
namespace {

std::int64_t roundHalfToEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    auto result = static_cast<std::int64_t>(below);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0))
        ++result;
    return result;
}

} // namespace

Percent dancePercent(Count dp, Count maxDp)
{
    // Divide first, then scale: the order decides the last bit of the quotient.
    const double percent = static_cast<double>(dp) / static_cast<double>(maxDp) * 100.0;
    return Percent{roundHalfToEven(percent * 10'000.0)};
}

std::string percentToText(Percent percent, std::string_view decimalSeparator)
{
    const std::int64_t value = percent.tenThousandths;
    const auto magnitude = value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                                     : static_cast<std::uint64_t>(value);

    std::string text = value < 0 ? "-" : "";
    text += std::to_string(magnitude / 10'000);
    if (std::uint64_t fraction = magnitude % 10'000; fraction != 0) {
        std::string digits = std::to_string(fraction + 10'000).substr(1);
        digits.erase(digits.find_last_not_of('0') + 1);
        text += decimalSeparator;
        text += digits;
    }
    return text;
}

} // namespace tallyfen
