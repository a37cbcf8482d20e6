#include "grade.h"

#include "namedcase.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace tallyfen {
namespace {

struct GradeCase
{
    std::string name;
    Percent percent;
    Count perfect;
    std::optional<Grade> grade;
    std::string nextGrade;
    std::string distance;
};

class GradeEvaluation : public ::testing::TestWithParam<GradeCase>
{};

TEST_P(GradeEvaluation, picksTheBandAndTheDistanceToTheNext)
{
    const GradeCase& row = GetParam();
    const GradeOutcome outcome = evaluateGrade(row.percent, row.perfect, ".");
    EXPECT_EQ(outcome.grade, row.grade);
    EXPECT_EQ(outcome.nextGrade, row.nextGrade);
    EXPECT_EQ(outcome.distance, row.distance);
}

constexpr Percent percent(std::int64_t tenThousandths)
{
    return Percent{tenThousandths};
}

INSTANTIATE_TEST_SUITE_P(
    Bands, GradeEvaluation,
    ::testing::Values(
        GradeCase{"fullWithoutPerfects", percent(1'000'000), 0, Grade::aaaa, "", ""},
        GradeCase{"fullWithPerfects", percent(1'000'000), 50, Grade::aaa, "AAAA", "0.0000"},
        GradeCase{"fullWithNegativePerfects", percent(1'000'000), -1, Grade::aaa, "AAAA", "0.0000"},
        GradeCase{"justBelowFull", percent(999'999), 0, Grade::aa, "AAA", "0.0001"},
        GradeCase{"exactlyAA", percent(930'000), 0, Grade::aa, "AAA", "7"},
        GradeCase{"justBelowAA", percent(929'999), 0, Grade::a, "AA", "0.0001"},
        GradeCase{"typicalPress", percent(928'571), 0, Grade::a, "AA", "0.1429"},
        GradeCase{"exactlyA", percent(800'000), 0, Grade::a, "AA", "13"},
        GradeCase{"justBelowA", percent(799'999), 0, Grade::b, "A", "0.0001"},
        GradeCase{"exactlyB", percent(650'000), 0, Grade::b, "A", "15"},
        GradeCase{"twoThirds", percent(660'000), 0, Grade::b, "A", "14"},
        GradeCase{"justBelowB", percent(649'999), 0, Grade::c, "B", "0.0001"},
        GradeCase{"exactlyC", percent(400'000), 0, Grade::c, "B", "25"},
        GradeCase{"justBelowC", percent(399'999), 0, Grade::d, "C", "0.0001"},
        GradeCase{"zero", percent(0), 0, Grade::d, "C", "40"},
        GradeCase{"negative", percent(-4'000'000), 0, Grade::d, "C", "440"},
        GradeCase{"justAboveFull", percent(1'000'001), 0, std::nullopt, "", ""},
        GradeCase{"doubleFull", percent(2'000'000), 3, std::nullopt, "", ""}),
    testing::CaseName{});

TEST(GradeEvaluationLocale, writesTheDistanceWithTheLocaleSeparator)
{
    EXPECT_EQ(evaluateGrade(Percent{928'571}, 0, ",").distance, "0,1429");
    EXPECT_EQ(evaluateGrade(Percent{1'000'000}, 1, ",").distance, "0,0000");
}

} // namespace
} // namespace tallyfen
