#include "scoresheet.h"

#include "countconversion.h"

#include <cstdlib>
#include <utility>

namespace tallyfen {
namespace {

// Two Counts cannot leave the range of int, so each step is done exactly and then checked.
bool fits(int exact, Count& into)
{
    if (!std::in_range<Count>(exact))
        return false;
    into = static_cast<Count>(exact);
    return true;
}

// The box a player should look at first in a sum of the counts from Marvelous to `last`: the
// largest count, the first one on a tie.
Judgement largestCount(const ScoreSheet& sheet, Judgement last)
{
    Judgement largest = Judgement::marvelous;
    for (const Judgement judgement : allJudgements) {
        if (std::abs(sheet.count(judgement)) > std::abs(sheet.count(largest)))
            largest = judgement;
        if (judgement == last)
            break;
    }
    return largest;
}

ScoringFailure overflow(FailureCause cause, Judgement box)
{
    return {FailureKind::overflow, cause, box};
}

} // namespace

std::optional<ScoringFailure> readCounts(ScoreSheet& sheet, const BoxTexts& texts,
                                         const NumberFormat& format)
{
    for (const Judgement judgement : allJudgements) {
        const CountReading reading =
            convertCountText(texts[static_cast<std::size_t>(judgement)], format);
        if (!reading.isCount)
            return ScoringFailure{reading.failure, FailureCause::boxText, judgement};
        sheet.count(judgement) = reading.count;
    }
    return std::nullopt;
}

std::optional<ScoringFailure> computeDancePoints(ScoreSheet& sheet)
{
    const ScoreSheet& s = sheet;

    // DP runs up from 0 in every calculation, also after one that failed halfway.
    Count dp = 0;
    if (!fits(s.marvelous + s.perfect, dp) || !fits(dp * 2, dp))
        return overflow(FailureCause::marvelousAndPerfect, largestCount(s, Judgement::perfect));
    if (!fits(dp + s.great, dp))
        return overflow(FailureCause::great, Judgement::great);
    Count weighted = 0;
    if (!fits(s.boo * 4, weighted) || !fits(dp - weighted, dp))
        return overflow(FailureCause::boo, Judgement::boo);
    if (!fits(s.miss * 8, weighted) || !fits(dp - weighted, dp))
        return overflow(FailureCause::miss, Judgement::miss);
    if (!fits(s.ok * 6, weighted) || !fits(dp + weighted, dp))
        return overflow(FailureCause::ok, Judgement::ok);

    Count steps = 0;
    if (!fits(s.marvelous + s.perfect, steps) || !fits(steps + s.great, steps) ||
        !fits(steps + s.good, steps) || !fits(steps + s.boo, steps) ||
        !fits(steps + s.miss, steps) || !fits(steps * 2, steps))
        return overflow(FailureCause::stepCounts, largestCount(s, Judgement::miss));
    Count freezes = 0;
    if (!fits(s.maxOk * 6, freezes))
        return overflow(FailureCause::maxOk, Judgement::maxOk);
    Count maxDp = 0;
    if (!fits(steps + freezes, maxDp))
        return overflow(FailureCause::maxDpTotal, Judgement::maxOk);

    // In floating point 0 / 0 is an invalid operation, reported as an overflow, and any other
    // value / 0 a division by zero.
    if (maxDp == 0)
        return ScoringFailure{dp == 0 ? FailureKind::overflow : FailureKind::divisionByZero,
                              FailureCause::noMaxDp, Judgement::marvelous};

    sheet.dp = dp;
    sheet.maxDp = maxDp;
    sheet.dpPercent = dancePercent(dp, maxDp);
    return std::nullopt;
}

} // namespace tallyfen
