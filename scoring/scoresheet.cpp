#include "scoresheet.h"

#include "countconversion.h"

namespace tallyfen {

std::optional<ScoringFailure> readCounts(ScoreSheet& sheet, const BoxTexts& texts,
                                         const NumberFormat& format)
{
    for (const Judgement judgement : allJudgements) {
        const auto converted = convertCountText(texts[static_cast<std::size_t>(judgement)], format);
        if (const auto* failure = std::get_if<FailureKind>(&converted))
            return ScoringFailure{*failure, judgement};
        sheet.count(judgement) = std::get<Count>(converted);
    }
    return std::nullopt;
}

// Each step is checked on its own, so the limits are those of the intermediate sums: the doubled
// Marvelous and Perfect sum, the doubled step total, OK and Max OK times six.
std::optional<Count> dancePoints(const ScoreSheet& sheet)
{
    using C = CheckedCount;
    return ((C(sheet.marvelous) + sheet.perfect) * 2 + sheet.great - C(sheet.boo) * 4 -
            C(sheet.miss) * 8 + C(sheet.ok) * 6)
        .value();
}

std::optional<Count> maxDancePoints(const ScoreSheet& sheet)
{
    using C = CheckedCount;
    const C steps =
        C(sheet.marvelous) + sheet.perfect + sheet.great + sheet.good + sheet.boo + sheet.miss;
    return (steps * 2 + C(sheet.maxOk) * 6).value();
}

std::optional<FailureKind> computeDancePoints(ScoreSheet& sheet)
{
    // Every calculation starts from nothing, also after one that failed halfway.
    sheet.dp = 0;
    sheet.maxDp = 0;
    sheet.dpPercent = {};

    const std::optional<Count> dp = dancePoints(sheet);
    const std::optional<Count> maxDp = maxDancePoints(sheet);
    if (!dp || !maxDp)
        return FailureKind::overflow;
    const auto percent = dancePercent(*dp, *maxDp);
    if (const auto* failure = std::get_if<FailureKind>(&percent))
        return *failure;

    sheet.dp = *dp;
    sheet.maxDp = *maxDp;
    sheet.dpPercent = std::get<Percent>(percent);
    return std::nullopt;
}

} // namespace tallyfen
