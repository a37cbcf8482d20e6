#include "countconversion.h"

#include "namedcase.h"

#include <gtest/gtest.h>
#include <string>
#include <variant>

namespace tallyfen {
namespace {

using Expected = std::variant<Count, FailureKind>;
constexpr FailureKind mismatch = FailureKind::typeMismatch;
constexpr FailureKind overflow = FailureKind::overflow;

struct ConversionCase
{
    std::string name;
    std::string text;
    Expected expected;
};

class CountConversion : public ::testing::TestWithParam<ConversionCase>
{};

TEST_P(CountConversion, convertsAsAPlayerExpects)
{
    const ConversionCase& row = GetParam();
    EXPECT_EQ(convertCountText(row.text, NumberFormat{}), row.expected) << '"' << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(PlainNumbers, CountConversion,
                         ::testing::Values(ConversionCase{"zero", "0", Count{0}},
                                           ConversionCase{"plain", "123", Count{123}},
                                           ConversionCase{"plusSign", "+7", Count{7}},
                                           ConversionCase{"minusSign", "-7", Count{-7}},
                                           ConversionCase{"minusZero", "-0", Count{0}},
                                           ConversionCase{"blanksAround", " \t42\t ", Count{42}},
                                           ConversionCase{"leadingZeros", "000123", Count{123}},
                                           ConversionCase{"largest", "32767", Count{32767}},
                                           ConversionCase{"smallest", "-32768", Count{-32768}}),
                         testing::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Grouping, CountConversion,
    ::testing::Values(ConversionCase{"thousand", "1,000", Count{1000}},
                      ConversionCase{"twoDigitLead", "12,345", Count{12345}},
                      ConversionCase{"zeroLead", "0,001", Count{1}},
                      ConversionCase{"groupedWithFraction", "-1,234.5", Count{-1234}},
                      ConversionCase{"groupOfTwo", "1,00", mismatch},
                      ConversionCase{"groupOfFour", "1,0000", mismatch},
                      ConversionCase{"leadTooLong", "1234,567", mismatch},
                      ConversionCase{"noLead", ",000", mismatch},
                      ConversionCase{"trailingSeparator", "1,", mismatch},
                      ConversionCase{"groupInFraction", "1.000,000", mismatch}),
    testing::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    RoundingHalfToEven, CountConversion,
    ::testing::Values(ConversionCase{"twoAndAHalf", "2.5", Count{2}},
                      ConversionCase{"threeAndAHalf", "3.5", Count{4}},
                      ConversionCase{"minusTwoAndAHalf", "-2.5", Count{-2}},
                      ConversionCase{"oneHalf", "0.5", Count{0}},
                      ConversionCase{"oneAndAHalf", "1.5", Count{2}},
                      ConversionCase{"justAboveHalf", "2.5000000000000000001", Count{3}},
                      ConversionCase{"justBelowHalf", "2.4999999999999999999", Count{2}},
                      ConversionCase{"fractionOnly", ".5", Count{0}},
                      ConversionCase{"fractionOnlyAboveHalf", ".51", Count{1}},
                      ConversionCase{"pointWithoutFraction", "5.", Count{5}},
                      ConversionCase{"tinyFraction", "0.0001", Count{0}}),
    testing::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Exponents, CountConversion,
    ::testing::Values(ConversionCase{"thousand", "1e3", Count{1000}},
                      ConversionCase{"capitalE", "1E3", Count{1000}},
                      ConversionCase{"signedExponent", "+1e+2", Count{100}},
                      ConversionCase{"fractionScaledUp", "2.5e1", Count{25}},
                      ConversionCase{"scaledDownToTieEven", "25e-1", Count{2}},
                      ConversionCase{"scaledDownToTieOdd", "35e-1", Count{4}},
                      ConversionCase{"fractionOnlyScaled", ".5e1", Count{5}},
                      ConversionCase{"manyDigitsScaled", "0.00032767e8", Count{32767}},
                      ConversionCase{"zeroWithHugeExponent", "0e99999", Count{0}},
                      ConversionCase{"hugeNegativeExponent", "1e-99999999999", Count{0}},
                      ConversionCase{"exponentPastAnyLimit", "1e-99999999999999999999999",
                                     Count{0}},
                      ConversionCase{"missingExponentDigits", "1e", mismatch},
                      ConversionCase{"signWithoutExponentDigits", "1e+", mismatch},
                      ConversionCase{"exponentWithoutMantissa", "e5", mismatch},
                      ConversionCase{"fractionalExponent", "1e1.5", mismatch}),
    testing::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Range, CountConversion,
    ::testing::Values(ConversionCase{"justAbove", "32768", overflow},
                      ConversionCase{"justBelow", "-32769", overflow},
                      ConversionCase{"fortyThousand", "40000", overflow},
                      ConversionCase{"tieRoundsOutOfRange", "32767.5", overflow},
                      ConversionCase{"tieRoundsIntoRange", "-32768.5", Count{-32768}},
                      ConversionCase{"tieToEvenLimit", "-32767.5", Count{-32768}},
                      ConversionCase{"belowTieStaysInRange", "32767.4999", Count{32767}},
                      ConversionCase{"hugeExponent", "1e99999", overflow},
                      ConversionCase{"manyDigits", "99999999999999999999999", overflow},
                      ConversionCase{"hundredThousandScaled", "0.1e6", overflow}),
    testing::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    NotANumber, CountConversion,
    ::testing::Values(
        ConversionCase{"empty", "", mismatch}, ConversionCase{"blanksOnly", " \t ", mismatch},
        ConversionCase{"plusAlone", "+", mismatch}, ConversionCase{"minusAlone", "-", mismatch},
        ConversionCase{"pointAlone", ".", mismatch}, ConversionCase{"letters", "abc", mismatch},
        ConversionCase{"trailingLetter", "1a", mismatch},
        ConversionCase{"infinity", "inf", mismatch}, ConversionCase{"notANumber", "nan", mismatch},
        ConversionCase{"hexadecimal", "0x10", mismatch},
        ConversionCase{"embeddedBlank", "1 000", mismatch},
        ConversionCase{"blankAfterSign", "- 5", mismatch},
        ConversionCase{"doubleSign", "--1", mismatch},
        ConversionCase{"mixedSigns", "+-1", mismatch},
        ConversionCase{"twoPoints", "1.2.3", mismatch}, ConversionCase{"newline", "1\n", mismatch},
        ConversionCase{"arabicIndicDigits", "\u0661\u0662", mismatch},
        ConversionCase{"fullwidthDigit", "\uFF11", mismatch},
        ConversionCase{"nulByte", std::string("1\0", 2), mismatch}),
    testing::CaseName{});

struct SeparatorCase
{
    std::string name;
    NumberFormat format;
    std::string text;
    Expected expected;
};

class CountConversionSeparators : public ::testing::TestWithParam<SeparatorCase>
{};

TEST_P(CountConversionSeparators, followTheLocale)
{
    const SeparatorCase& row = GetParam();
    EXPECT_EQ(convertCountText(row.text, row.format), row.expected) << '"' << row.text << '"';
}

const NumberFormat german{",", "."};
const NumberFormat french{",", "\u202F"};

INSTANTIATE_TEST_SUITE_P(
    Locales, CountConversionSeparators,
    ::testing::Values(SeparatorCase{"germanDecimalComma", german, "2,5", Count{2}},
                      SeparatorCase{"germanGroupPoint", german, "1.000", Count{1000}},
                      SeparatorCase{"germanBoth", german, "1.000,5", Count{1000}},
                      SeparatorCase{"germanRejectsEnglishFraction", german, "2.5", mismatch},
                      SeparatorCase{"frenchNarrowSpaceGroup", french, "1\u202F000", Count{1000}},
                      SeparatorCase{"frenchDecimalComma", french, "3,5", Count{4}},
                      SeparatorCase{"noGroupingAtAll", NumberFormat{".", ""}, "1,000", mismatch}),
    testing::CaseName{});

// A megabyte of text must be read in one pass, without memory that grows with an exponent.
TEST(CountConversionLongText, leadingZerosBeforeOneDigit)
{
    EXPECT_EQ(convertCountText(std::string(1'000'000, '0') + "7", {}), Expected{Count{7}});
}

TEST(CountConversionLongText, millionDigitsOverflow)
{
    EXPECT_EQ(convertCountText("1" + std::string(1'000'000, '0'), {}), Expected{overflow});
}

TEST(CountConversionLongText, millionDigitsScaledBackIntoRange)
{
    EXPECT_EQ(convertCountText("1" + std::string(1'000'000, '0') + "e-999998", {}),
              Expected{Count{100}});
}

TEST(CountConversionLongText, longFractionDecidesTheTie)
{
    EXPECT_EQ(convertCountText("4.5" + std::string(1'000'000, '0') + "1", {}), Expected{Count{5}});
    EXPECT_EQ(convertCountText("4.5" + std::string(1'000'000, '0'), {}), Expected{Count{4}});
}

TEST(CountConversionLongText, millionDigitExponent)
{
    EXPECT_EQ(convertCountText("1e" + std::string(1'000'000, '9'), {}), Expected{overflow});
    EXPECT_EQ(convertCountText("1e-" + std::string(1'000'000, '9'), {}), Expected{Count{0}});
}

} // namespace
} // namespace tallyfen
