#pragma once

#include "numberformat.h"
#include "scoresheet.h"

#include <string>
#include <string_view>

namespace tallyfen {

// What a line of eight TAB-separated box texts gives: the calculation as one JSON object, or the
// sentence the player is told (the result said, or the failure's message after the box it names
// in brackets, the one the window then gives the focus to).
enum class LineOutput
{
    json,
    sentence
};

// One line in, one line out (without a newline).
std::string scoreLine(std::string_view line, ScoreSheet& sheet, const NumberFormat& format,
                      LineOutput output = LineOutput::json);

} // namespace tallyfen
