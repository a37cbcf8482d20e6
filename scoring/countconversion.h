#pragma once

#include "count.h"
#include "failure.h"
#include "numberformat.h"

#include <string_view>

namespace tallyfen {

// A box text read: its count, or the kind of failure that keeps it from being one. Plain
// fields rather than a variant, so that it comes back in registers: most boxes hold a
// count, and reading one is a few instructions.
struct CountReading
{
    constexpr CountReading(Count value) : count(value) {}
    constexpr CountReading(FailureKind kind) : isCount(false), failure(kind) {}

    Count count = 0;
    bool isCount = true;
    FailureKind failure = FailureKind::typeMismatch; // read only when !isCount

    friend bool operator==(const CountReading&, const CountReading&) = default;
};

// Reads what a player typed into a count box (UTF-8).
//
// Accepted: blanks (space, tab) around an optional sign, digits whose integer part may be grouped
// in threes, an optional fraction and an optional exponent ("  +1,000.5e-1 "). The value is
// rounded to a whole number in exact decimal, a half to the even neighbour, and only then checked
// against the 16-bit range (an overflow). Anything else is a type mismatch. Linear in the text.
CountReading convertCountText(std::string_view text, const NumberFormat& format);

} // namespace tallyfen
