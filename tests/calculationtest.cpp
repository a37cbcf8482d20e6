#include "calculation.h"

#include "namedcase.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace tallyfen {
namespace {

// Box texts in reading order: Marvelous, Perfect, Great, Good, Boo, Miss, OK, Max OK.
using Texts = std::array<std::string, judgementCount>;

BoxTexts view(const Texts& texts)
{
    BoxTexts views;
    for (std::size_t i = 0; i < texts.size(); ++i)
        views[i] = texts[i];
    return views;
}

CalculationOutcome calculateTexts(ScoreSheet& sheet, const Texts& texts)
{
    return calculate(sheet, view(texts), NumberFormat{});
}

struct PlayCase
{
    std::string name;
    Texts texts;
    Count dp;
    Count maxDp;
    std::string percent;
    std::optional<Grade> grade;
    std::string nextGrade;
    std::string distance;
    std::optional<std::string_view> award;
};

class Play : public ::testing::TestWithParam<PlayCase>
{};

TEST_P(Play, scoresEveryResult)
{
    const PlayCase& row = GetParam();
    ScoreSheet sheet;
    const CalculationOutcome outcome = calculateTexts(sheet, row.texts);
    const auto* result = std::get_if<DanceResult>(&outcome);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->dp, row.dp);
    EXPECT_EQ(result->maxDp, row.maxDp);
    EXPECT_EQ(result->percentText, row.percent);
    EXPECT_EQ(result->grade, row.grade);
    EXPECT_EQ(result->nextGrade, row.nextGrade);
    EXPECT_EQ(result->distance, row.distance);
    EXPECT_EQ(result->award, row.award);
}

INSTANTIATE_TEST_SUITE_P(Plays, Play,
                         ::testing::Values(PlayCase{"allMarvelous",
                                                    {"100", "0", "0", "0", "0", "0", "0", "0"},
                                                    200,
                                                    200,
                                                    "100",
                                                    Grade::aaaa,
                                                    "",
                                                    "",
                                                    "Quadruple A"},
                                           PlayCase{"halfPerfect",
                                                    {"50", "50", "0", "0", "0", "0", "0", "0"},
                                                    200,
                                                    200,
                                                    "100",
                                                    Grade::aaa,
                                                    "AAAA",
                                                    "0.0000",
                                                    "Triple A"},
                                           PlayCase{"typicalPress",
                                                    {"90", "0", "10", "0", "0", "0", "3", "4"},
                                                    208,
                                                    224,
                                                    "92.8571",
                                                    Grade::a,
                                                    "AA",
                                                    "0.1429",
                                                    "Full Combo"},
                                           PlayCase{"mixedPlay",
                                                    {"150", "30", "20", "5", "2", "3", "4", "5"},
                                                    372,
                                                    450,
                                                    "82.6667",
                                                    Grade::a,
                                                    "AA",
                                                    "10.3333",
                                                    std::nullopt},
                                           PlayCase{"exactlyAA",
                                                    {"43", "0", "7", "0", "0", "0", "0", "0"},
                                                    93,
                                                    100,
                                                    "93",
                                                    Grade::aa,
                                                    "AAA",
                                                    "7",
                                                    "Single Digit Greats"},
                                           PlayCase{"greatsOnly",
                                                    {"0", "0", "3", "0", "0", "0", "0", "0"},
                                                    3,
                                                    6,
                                                    "50",
                                                    Grade::c,
                                                    "B",
                                                    "15",
                                                    "Single Digit Greats"},
                                           PlayCase{"goodsOnly",
                                                    {"0", "0", "0", "3", "0", "0", "0", "0"},
                                                    0,
                                                    6,
                                                    "0",
                                                    Grade::d,
                                                    "C",
                                                    "40",
                                                    std::nullopt},
                                           PlayCase{"oneMiss",
                                                    {"0", "0", "0", "0", "0", "1", "0", "0"},
                                                    -8,
                                                    2,
                                                    "-400",
                                                    Grade::d,
                                                    "C",
                                                    "440",
                                                    std::nullopt},
                                           PlayCase{"freezesAboveMax",
                                                    {"0", "0", "0", "0", "0", "0", "2", "1"},
                                                    12,
                                                    6,
                                                    "200",
                                                    std::nullopt,
                                                    "",
                                                    "",
                                                    "Full Combo"},
                                           PlayCase{"negativeBooAddsPoints",
                                                    {"2", "0", "0", "0", "-1", "0", "0", "0"},
                                                    8,
                                                    2,
                                                    "400",
                                                    std::nullopt,
                                                    "",
                                                    "",
                                                    std::nullopt}),
                         testing::CaseName{});

struct LimitCase
{
    std::string name;
    Texts texts;
    std::optional<Count> dp; // none: the calculation overflows
};

class ChainLimits : public ::testing::TestWithParam<LimitCase>
{};

TEST_P(ChainLimits, everyStepIsChecked)
{
    const LimitCase& row = GetParam();
    ScoreSheet sheet;
    const CalculationOutcome outcome = calculateTexts(sheet, row.texts);
    if (row.dp) {
        const auto* result = std::get_if<DanceResult>(&outcome);
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->dp, *row.dp);
    } else {
        EXPECT_EQ(outcome, CalculationOutcome(ScoringFailure{FailureKind::overflow, std::nullopt}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    DancePoints, ChainLimits,
    ::testing::Values(
        LimitCase{"firstSum", {"20000", "20000", "0", "0", "0", "0", "0", "0"}, std::nullopt},
        LimitCase{
            "doublingAfterSum", {"10000", "10000", "0", "0", "0", "0", "0", "0"}, std::nullopt},
        LimitCase{"doublingMarvelous", {"16384", "0", "0", "0", "0", "0", "0", "0"}, std::nullopt},
        LimitCase{"doublingJustFits", {"16383", "0", "0", "0", "0", "0", "0", "0"}, Count{32766}},
        LimitCase{"addingGreats", {"8000", "8000", "1000", "0", "0", "0", "0", "1"}, std::nullopt},
        LimitCase{"booTimesFour", {"0", "0", "0", "0", "8192", "0", "0", "0"}, std::nullopt},
        LimitCase{"booTimesFourFits", {"0", "0", "0", "0", "8191", "0", "0", "0"}, Count{-32764}},
        LimitCase{"subtractingBoos", {"0", "0", "0", "0", "8191", "1", "0", "0"}, std::nullopt},
        LimitCase{"missTimesEight", {"0", "0", "0", "0", "0", "4096", "0", "0"}, std::nullopt},
        LimitCase{"okTimesSix", {"1", "0", "0", "0", "0", "0", "5462", "5462"}, std::nullopt},
        LimitCase{"okTimesSixFits", {"0", "0", "0", "0", "0", "0", "5461", "5461"}, Count{32766}}),
    testing::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    MaxDancePoints, ChainLimits,
    ::testing::Values(
        LimitCase{"stepSum", {"16000", "0", "0", "16000", "1000", "0", "0", "0"}, std::nullopt},
        LimitCase{"doublingSteps", {"8000", "0", "8000", "384", "0", "0", "0", "0"}, std::nullopt},
        LimitCase{"maxOkTimesSix", {"1", "0", "0", "0", "0", "0", "0", "5462"}, std::nullopt},
        LimitCase{"addingFreezes", {"16383", "0", "0", "0", "0", "0", "0", "1"}, std::nullopt}),
    testing::CaseName{});

struct FailureCase
{
    std::string name;
    Texts texts;
    ScoringFailure failure;
};

class Failures : public ::testing::TestWithParam<FailureCase>
{};

TEST_P(Failures, nameTheKindAndTheBox)
{
    const FailureCase& row = GetParam();
    ScoreSheet sheet;
    EXPECT_EQ(calculateTexts(sheet, row.texts), CalculationOutcome(row.failure));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Failures,
    ::testing::Values(FailureCase{"allZero",
                                  {"0", "0", "0", "0", "0", "0", "0", "0"},
                                  {FailureKind::overflow, {}}},
                      FailureCase{"stepsCancelOut",
                                  {"1", "0", "0", "0", "0", "-1", "0", "0"},
                                  {FailureKind::divisionByZero, {}}},
                      FailureCase{"lettersInGreat",
                                  {"1", "0", "abc", "0", "0", "0", "0", "0"},
                                  {FailureKind::typeMismatch, Judgement::great}},
                      FailureCase{"emptyMaxOk",
                                  {"1", "0", "0", "0", "0", "0", "0", ""},
                                  {FailureKind::typeMismatch, Judgement::maxOk}},
                      FailureCase{"tooLargeForABox",
                                  {"1", "0", "0", "0", "0", "0", "0", "40000"},
                                  {FailureKind::overflow, Judgement::maxOk}},
                      FailureCase{"firstBadBoxWins",
                                  {"1", "x", "0", "40000", "0", "0", "0", "0"},
                                  {FailureKind::typeMismatch, Judgement::perfect}}),
    testing::CaseName{});

TEST(CalculationSheet, keepsTheCountsAndClearsTheTotals)
{
    ScoreSheet sheet;
    ASSERT_TRUE(std::holds_alternative<DanceResult>(
        calculateTexts(sheet, {"90", "0", "10", "0", "0", "0", "3", "4"})));
    EXPECT_EQ(sheet.marvelous, 90);
    EXPECT_EQ(sheet.great, 10);
    EXPECT_EQ(sheet.maxOk, 4);
    EXPECT_EQ(sheet.dp, 0);
    EXPECT_EQ(sheet.maxDp, 0);
    EXPECT_EQ(sheet.dpPercent, Percent{});
}

TEST(CalculationSheet, keepsCountsReadBeforeAFailure)
{
    ScoreSheet sheet;
    calculateTexts(sheet, {"7", "8", "oops", "9", "0", "0", "0", "0"});
    EXPECT_EQ(sheet.marvelous, 7);
    EXPECT_EQ(sheet.perfect, 8);
    EXPECT_EQ(sheet.good, 0);
}

TEST(CalculationSheet, startsFromNothingAfterAnOverflowHalfway)
{
    ScoreSheet sheet;
    calculateTexts(sheet, {"16383", "0", "0", "0", "0", "0", "0", "1"});
    EXPECT_EQ(sheet.dp, 0);

    const CalculationOutcome outcome =
        calculateTexts(sheet, {"90", "0", "10", "0", "0", "0", "3", "4"});
    ASSERT_TRUE(std::holds_alternative<DanceResult>(outcome));
    EXPECT_EQ(std::get<DanceResult>(outcome).dp, 208);
}

TEST(CalculationSheet, twiceInARowGivesTheSameResult)
{
    ScoreSheet sheet;
    const Texts texts{"90", "0", "10", "0", "0", "0", "3", "4"};
    const CalculationOutcome first = calculateTexts(sheet, texts);
    ASSERT_TRUE(std::holds_alternative<DanceResult>(first));
    EXPECT_EQ(calculateTexts(sheet, texts), first);
}

} // namespace
} // namespace tallyfen
