#pragma once

#include "count.h"

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace tallyfen {

// The dance-point percentage, fixed point with four decimals: 92.8571 % is 928571.
struct Percent
{
    std::int64_t tenThousandths = 0;

    static constexpr Percent whole(std::int64_t percent) { return {percent * 10'000}; }

    friend constexpr auto operator<=>(Percent, Percent) = default;
    friend constexpr Percent operator-(Percent a, Percent b)
    {
        return {a.tenThousandths - b.tenThousandths};
    }
};

// DP as a share of Max DP (not 0), in percent, rounded to four decimals (a half to the even
// neighbour).
Percent dancePercent(Count dp, Count maxDp);

// The shortest text with at most four decimals: 87.5, 100, 66.6667, 0.5, -400.
std::string percentToText(Percent percent, std::string_view decimalSeparator);

} // namespace tallyfen
