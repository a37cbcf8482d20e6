#pragma once

#include "count.h"
#include "failure.h"
#include "numberformat.h"

#include <string_view>
#include <variant>

namespace tallyfen {

// Reads what a player typed into a count box (UTF-8).
//
// Accepted: blanks (space, tab) around an optional sign, digits whose integer part may be grouped
// in threes, an optional fraction and an optional exponent ("  +1,000.5e-1 "). The value is
// rounded to a whole number in exact decimal, a half to the even neighbour, and only then checked
// against the 16-bit range (an overflow). Anything else is a type mismatch. Linear in the text.
std::variant<Count, FailureKind> convertCountText(std::string_view text,
                                                  const NumberFormat& format);

} // namespace tallyfen
