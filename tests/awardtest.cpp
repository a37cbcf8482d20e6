#include "award.h"

#include "namedcase.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace tallyfen {
namespace {

struct AwardCase
{
    std::string name;
    ScoreSheet counts;
    std::optional<std::string_view> award;
};

class AwardEvaluation : public ::testing::TestWithParam<AwardCase>
{};

TEST_P(AwardEvaluation, lastRuleThatHoldsStands)
{
    const AwardCase& row = GetParam();
    EXPECT_EQ(evaluateAward(row.counts), row.award);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AwardEvaluation,
    ::testing::Values(
        AwardCase{"greatsPastSingleDigits", {.marvelous = 90, .great = 12}, "Full Combo"},
        AwardCase{"tenGreats", {.marvelous = 90, .great = 10, .ok = 3, .maxOk = 4}, "Full Combo"},
        AwardCase{"nineGreats", {.great = 9}, "Single Digit Greats"},
        AwardCase{"twoGreats", {.great = 2, .ok = 1, .maxOk = 1}, "Single Digit Greats"},
        AwardCase{"oneGreat", {.marvelous = 50, .great = 1}, "Black Flag"},
        AwardCase{"noGreatsAllFreezes", {.perfect = 15, .ok = 4, .maxOk = 4}, "Triple A"},
        AwardCase{"singleDigitPerfectsBeatTripleA",
                  {.perfect = 5, .ok = 4, .maxOk = 4},
                  "Single Digit Perfects"},
        AwardCase{"ninePerfects", {.perfect = 9, .ok = 3, .maxOk = 4}, "Single Digit Perfects"},
        AwardCase{"tenPerfectsMissedFreeze", {.perfect = 10, .ok = 3, .maxOk = 4}, "Full Combo"},
        AwardCase{"onePerfect", {.perfect = 1, .ok = 3, .maxOk = 4}, "White Flag"},
        AwardCase{"onePerfectAllFreezes", {.perfect = 1, .ok = 4, .maxOk = 4}, "White Flag"},
        AwardCase{"allMarvelous", {.marvelous = 100}, "Quadruple A"},
        AwardCase{
            "allMarvelousMissedFreeze", {.marvelous = 100, .ok = 3, .maxOk = 4}, "Full Combo"},
        AwardCase{"negativeGreats", {.great = -3}, "Full Combo"},
        AwardCase{"negativePerfects", {.perfect = -1}, "Triple A"}),
    testing::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    NoAward, AwardEvaluation,
    ::testing::Values(AwardCase{"oneGood", {.marvelous = 100, .good = 1}, std::nullopt},
                      AwardCase{"oneBoo", {.marvelous = 100, .boo = 1}, std::nullopt},
                      AwardCase{"oneMiss", {.marvelous = 100, .miss = 1}, std::nullopt},
                      AwardCase{"negativeMiss", {.marvelous = 100, .miss = -1}, std::nullopt}),
    testing::CaseName{});

} // namespace
} // namespace tallyfen
