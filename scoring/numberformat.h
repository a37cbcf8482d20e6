#pragma once

#include <string>

namespace tallyfen {

// The user's locale as far as numbers are concerned: UTF-8 texts, so that a separator such as
// a narrow no-break space works as well as '.' or ','.
struct NumberFormat
{
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};

} // namespace tallyfen
