// What the conformance rows cannot show: the sheet across calculations, the step and box a
// failure names, and a tab around a count (the rows' own separator).
#include <calculation.h>
#include <countconversion.h>
#include <gtest/gtest.h>

using namespace tallyfen;

namespace {

CalculationOutcome calculateOn(ScoreSheet& sheet, const BoxTexts& texts)
{
    return calculate(sheet, texts, NumberFormat{});
}

void expectTotalsAtZero(const ScoreSheet& sheet)
{
    EXPECT_EQ(sheet.dp, 0);
    EXPECT_EQ(sheet.maxDp, 0);
    EXPECT_EQ(sheet.dpPercent.tenThousandths, 0);
}

} // namespace

TEST(ScoreSheet, keepsCountsAndStartsEveryCalculationFromZero)
{
    ScoreSheet sheet;
    // A new sheet holds nothing, and a failure in the first box leaves it so.
    ASSERT_TRUE(std::holds_alternative<ScoringFailure>(
        calculateOn(sheet, {"x", "1", "1", "1", "1", "1", "1", "1"})));
    for (const Judgement judgement : allJudgements)
        EXPECT_EQ(sheet.count(judgement), 0) << judgementName(judgement);
    expectTotalsAtZero(sheet);

    ASSERT_TRUE(std::holds_alternative<DanceResult>(
        calculateOn(sheet, {"90", "0", "10", "0", "0", "0", "3", "4"})));
    EXPECT_EQ(sheet.great, 10);
    EXPECT_EQ(sheet.maxOk, 4);
    expectTotalsAtZero(sheet);

    // DP has run up to the Miss step when it fails.
    ASSERT_TRUE(std::holds_alternative<ScoringFailure>(
        calculateOn(sheet, {"5", "0", "0", "0", "0", "4096", "0", "0"})));
    EXPECT_EQ(sheet.marvelous, 5);
    EXPECT_EQ(sheet.miss, 4096);
    expectTotalsAtZero(sheet);

    // The boxes before the one at fault keep their new counts, those after it the old ones.
    ASSERT_TRUE(std::holds_alternative<ScoringFailure>(
        calculateOn(sheet, {"7", "8", "x", "1", "1", "1", "1", "1"})));
    EXPECT_EQ(sheet.marvelous, 7);
    EXPECT_EQ(sheet.perfect, 8);
    EXPECT_EQ(sheet.great, 0);
    EXPECT_EQ(sheet.ok, 0);
    expectTotalsAtZero(sheet);

    const CalculationOutcome after = calculateOn(sheet, {"100", "0", "0", "0", "0", "0", "0", "0"});
    ASSERT_TRUE(std::holds_alternative<DanceResult>(after));
    EXPECT_EQ(std::get<DanceResult>(after).dp, 200);
}

struct FailureRow
{
    const char* name;
    BoxTexts texts;
    ScoringFailure expected;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const FailureRow& row, std::ostream* out)
{
    *out << row.name;
}

class FailureCauses : public testing::TestWithParam<FailureRow>
{};

TEST_P(FailureCauses, nameTheStepAndTheBoxToLookAt)
{
    ScoreSheet sheet;
    EXPECT_EQ(calculateOn(sheet, GetParam().texts), CalculationOutcome(GetParam().expected));
}

constexpr auto overflow = FailureKind::overflow;
using C = FailureCause;
using J = Judgement;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Steps, FailureCauses, testing::Values(
    FailureRow{"greatText", {"0", "0", "abc", "0", "0", "0", "0", "0"}, {FailureKind::typeMismatch, C::boxText, J::great}},
    FailureRow{"booTooLarge", {"0", "0", "0", "0", "40000", "0", "0", "0"}, {overflow, C::boxText, J::boo}},
    FailureRow{"doublingBeforeMaxDpIsZero", {"16384", "0", "0", "0", "0", "-16384", "0", "0"}, {overflow, C::marvelousAndPerfect, J::marvelous}},
    FailureRow{"perfectLarger", {"100", "16300", "0", "0", "0", "0", "0", "0"}, {overflow, C::marvelousAndPerfect, J::perfect}},
    FailureRow{"greatStep", {"16383", "0", "2", "-2", "0", "0", "0", "0"}, {overflow, C::great, J::great}},
    FailureRow{"booStep", {"0", "0", "0", "0", "8192", "0", "0", "0"}, {overflow, C::boo, J::boo}},
    FailureRow{"missStep", {"0", "0", "-9", "0", "0", "4095", "0", "0"}, {overflow, C::miss, J::miss}},
    FailureRow{"okStep", {"0", "0", "0", "0", "0", "0", "5462", "5462"}, {overflow, C::ok, J::ok}},
    FailureRow{"stepCountsTieFirstBox", {"8000", "0", "0", "8000", "0", "384", "0", "0"}, {overflow, C::stepCounts, J::marvelous}},
    FailureRow{"stepCountsNegativeLargest", {"100", "0", "0", "-16485", "0", "0", "0", "0"}, {overflow, C::stepCounts, J::good}},
    FailureRow{"maxOkStep", {"0", "0", "0", "0", "0", "0", "0", "5462"}, {overflow, C::maxOk, J::maxOk}},
    FailureRow{"maxDpTotalStep", {"1", "0", "0", "0", "0", "0", "0", "5461"}, {overflow, C::maxDpTotal, J::maxOk}},
    FailureRow{"nothingToScore", {"0", "0", "0", "0", "0", "0", "0", "0"}, {overflow, C::noMaxDp, J::marvelous}},
    FailureRow{"okWithoutFreezeArrows", {"0", "0", "0", "0", "0", "0", "1", "0"}, {FailureKind::divisionByZero, C::noMaxDp, J::marvelous}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(CountConversion, tabsAroundACount)
{
    EXPECT_EQ(convertCountText("\t 7\t", NumberFormat{}), CountReading(Count{7}));
}
