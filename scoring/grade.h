#pragma once

#include "count.h"
#include "percent.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallyfen {

enum class Grade
{
    aaaa,
    aaa,
    aa,
    a,
    b,
    c,
    d
};

std::string_view gradeName(Grade grade);

struct GradeOutcome
{
    std::optional<Grade> grade; // none above 100 %
    std::string nextGrade;      // the grade one up, empty where there is none
    std::string distance;       // percentage points missing to it, empty where there is none
};

GradeOutcome evaluateGrade(Percent percent, Count perfect, std::string_view decimalSeparator);

} // namespace tallyfen
