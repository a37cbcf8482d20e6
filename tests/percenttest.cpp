#include "percent.h"

#include "namedcase.h"

#include <gtest/gtest.h>
#include <string>
#include <variant>

namespace tallyfen {
namespace {

struct RatioCase
{
    std::string name;
    Count dp;
    Count maxDp;
    std::variant<Percent, FailureKind> expected;
};

class DancePercent : public ::testing::TestWithParam<RatioCase>
{};

TEST_P(DancePercent, isRoundedToFourDecimalsHalfToEven)
{
    const RatioCase& row = GetParam();
    EXPECT_EQ(dancePercent(row.dp, row.maxDp), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Ratios, DancePercent,
                         ::testing::Values(RatioCase{"full", 200, 200, Percent{1'000'000}},
                                           RatioCase{"typicalPress", 208, 224, Percent{928'571}},
                                           RatioCase{"mixedPlay", 372, 450, Percent{826'667}},
                                           RatioCase{"half", 3, 6, Percent{500'000}},
                                           RatioCase{"nothingEarned", 0, 6, Percent{0}},
                                           RatioCase{"negative", -8, 2, Percent{-4'000'000}},
                                           RatioCase{"aboveFull", 12, 6, Percent{2'000'000}},
                                           RatioCase{"tieRoundsDownToEven", 1, 128, Percent{7'812}},
                                           RatioCase{"tieRoundsUpToEven", 3, 128, Percent{23'438}},
                                           RatioCase{"negativeTieToEven", -1, 128, Percent{-7'812}},
                                           RatioCase{"twoThirds", 4, 6, Percent{666'667}},
                                           RatioCase{"largestTotals", 32767, 2,
                                                     Percent{16'383'500'000}}),
                         testing::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    NoMaxDp, DancePercent,
    ::testing::Values(RatioCase{"zeroByZeroIsInvalid", 0, 0, FailureKind::overflow},
                      RatioCase{"positiveByZero", 5, 0, FailureKind::divisionByZero},
                      RatioCase{"negativeByZero", -5, 0, FailureKind::divisionByZero}),
    testing::CaseName{});

struct TextCase
{
    std::string name;
    Percent percent;
    std::string decimalSeparator;
    std::string expected;
};

class PercentText : public ::testing::TestWithParam<TextCase>
{};

TEST_P(PercentText, isTheShortestFormWithAtMostFourDecimals)
{
    const TextCase& row = GetParam();
    EXPECT_EQ(percentToText(row.percent, row.decimalSeparator), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PercentText,
    ::testing::Values(TextCase{"wholeNumber", Percent{1'000'000}, ".", "100"},
                      TextCase{"trailingZerosDropped", Percent{875'000}, ".", "87.5"},
                      TextCase{"fourDecimals", Percent{666'667}, ".", "66.6667"},
                      TextCase{"leadingZeroKept", Percent{5'000}, ".", "0.5"},
                      TextCase{"innerZerosKept", Percent{1'429}, ".", "0.1429"},
                      TextCase{"smallestStep", Percent{1}, ".", "0.0001"},
                      TextCase{"zero", Percent{0}, ".", "0"},
                      TextCase{"negativeWhole", Percent{-4'000'000}, ".", "-400"},
                      TextCase{"negativeBelowOne", Percent{-5}, ".", "-0.0005"},
                      TextCase{"localeComma", Percent{928'571}, ",", "92,8571"},
                      TextCase{"localeCommaWhole", Percent{1'000'000}, ",", "100"}),
    testing::CaseName{});

} // namespace
} // namespace tallyfen
