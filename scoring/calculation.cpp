#include "calculation.h"

#include "award.h"

namespace tallyfen {

CalculationOutcome calculate(ScoreSheet& sheet, const BoxTexts& texts, const NumberFormat& format)
{
    if (const auto failure = readCounts(sheet, texts, format))
        return *failure;
    if (const auto failure = computeDancePoints(sheet))
        return *failure;

    GradeOutcome grade = evaluateGrade(sheet.dpPercent, sheet.perfect, format.decimalSeparator);
    DanceResult result{
        .dp = sheet.dp,
        .maxDp = sheet.maxDp,
        .dpPercent = sheet.dpPercent,
        .percentText = percentToText(sheet.dpPercent, format.decimalSeparator),
        .grade = grade.grade,
        .nextGrade = std::move(grade.nextGrade),
        .distance = std::move(grade.distance),
        .award = evaluateAward(sheet),
    };

    // The totals are shown, not kept: the counts stay for the next look, the totals go back to 0.
    sheet.dp = 0;
    sheet.maxDp = 0;
    sheet.dpPercent = {};
    return result;
}

} // namespace tallyfen
