#pragma once

#include <count.h>
#include <failure.h>
#include <numberformat.h>
#include <string_view>
#include <variant>

namespace tallyfen::reference {

// A slow, plainly written count conversion for the fuzzers to check the real one against. It
// splits the text into its parts and rounds by looking at the decimal digits themselves, where
// the program reads the text in one pass.
std::variant<Count, FailureKind> convertCountTextSlowly(std::string_view text,
                                                        const NumberFormat& format);

} // namespace tallyfen::reference
