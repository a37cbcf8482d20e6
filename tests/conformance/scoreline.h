#pragma once

#include "numberformat.h"
#include "scoresheet.h"

#include <string>
#include <string_view>

namespace tallyfen {

// One line of eight TAB-separated box texts in, one JSON object out (without a newline).
std::string scoreLine(std::string_view line, ScoreSheet& sheet, const NumberFormat& format);

} // namespace tallyfen
