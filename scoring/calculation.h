#pragma once

#include "count.h"
#include "failure.h"
#include "grade.h"
#include "numberformat.h"
#include "percent.h"
#include "scoresheet.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tallyfen {

// Everything one calculation shows the player.
struct DanceResult
{
    Count dp = 0;
    Count maxDp = 0;
    Percent dpPercent;
    std::string percentText;
    std::optional<Grade> grade;
    std::string nextGrade;
    std::string distance;
    std::optional<std::string_view> award;
};

using CalculationOutcome = std::variant<DanceResult, ScoringFailure>;

// Reads the box texts into the sheet and scores them. The sheet keeps the counts read; its
// running totals are back at 0 afterwards, whether the calculation succeeded or failed.
CalculationOutcome calculate(ScoreSheet& sheet, const BoxTexts& texts, const NumberFormat& format);

} // namespace tallyfen
