#pragma once

#include "count.h"
#include "failure.h"
#include "judgement.h"
#include "numberformat.h"
#include "percent.h"

#include <array>
#include <optional>
#include <string_view>

namespace tallyfen {

// The calculator's working record: the counts of the latest calculation and its totals.
struct ScoreSheet
{
    Count marvelous = 0;
    Count perfect = 0;
    Count great = 0;
    Count good = 0;
    Count boo = 0;
    Count miss = 0;
    Count ok = 0;
    Count maxOk = 0;

    Count dp = 0;
    Count maxDp = 0;
    Percent dpPercent;

    constexpr Count& count(Judgement judgement) { return this->*countFields[index(judgement)]; }
    constexpr Count count(Judgement judgement) const
    {
        return this->*countFields[index(judgement)];
    }

private:
    static constexpr std::size_t index(Judgement judgement)
    {
        return static_cast<std::size_t>(judgement);
    }
    static constexpr std::array<Count ScoreSheet::*, judgementCount> countFields{
        &ScoreSheet::marvelous, &ScoreSheet::perfect, &ScoreSheet::great, &ScoreSheet::good,
        &ScoreSheet::boo,       &ScoreSheet::miss,    &ScoreSheet::ok,    &ScoreSheet::maxOk};
};

// The eight box texts, in the order of allJudgements.
using BoxTexts = std::array<std::string_view, judgementCount>;

// Converts the texts box by box into the sheet's counts. The first box that fails stops the
// reading; the boxes before it keep their new counts.
std::optional<ScoringFailure> readCounts(ScoreSheet& sheet, const BoxTexts& texts,
                                         const NumberFormat& format);

// DP, then Max DP, then the percentage from the sheet's counts, each step checked; a failure
// names the step that ran over. The sheet's totals are written only when every step fits.
std::optional<ScoringFailure> computeDancePoints(ScoreSheet& sheet);

} // namespace tallyfen
