// What the conformance rows cannot show: the sheet across calculations, a tab around a count (the
// rows' own separator), characters that Unicode's own cases do not reach, and the escapes of a
// text written as JSON (the rows' texts need none).
#include <calculation.h>
#include <countconversion.h>
#include <graphemes.h>
#include <gtest/gtest.h>
#include <resultjson.h>

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

TEST(CountConversion, tabsAroundACount)
{
    EXPECT_EQ(convertCountText("\t 7\t", NumberFormat{}), CountReading(Count{7}));
}

// A byte that does not begin well-formed UTF-8 is a character of its own; a Hangul syllable from
// the middle of its block (Unicode's cases take theirs from its start) is told LV, which a vowel
// joins, from LVT by arithmetic.
TEST(Graphemes, whereUnicodesCasesDoNotReach)
{
    const struct
    {
        const char* name;
        std::string_view text;
        std::size_t end;
    } rows[] = {
        {"firstSurrogate", "\xED\xA0\x80", 1},
        {"lastSurrogate", "\xED\xBF\xBF", 1},
        {"overlongSlash", "\xC0\xAF", 1},
        {"pastUnicode", "\xF4\x90\x80\x80", 1},
        {"cutShort", "\xE2\x82", 1},
        {"hangulLvJoinsVowel", "\uAC1C\u1161", 6},
        {"hangulLvtBreaksBeforeVowel", "\uAC1D\u1161", 3},
    };
    for (const auto& row : rows)
        EXPECT_EQ(endOfCharacter(row.text, 0), row.end) << row.name;
}

TEST(ResultJson, escapesQuotesBackslashesAndControls)
{
    const struct
    {
        const char* name;
        std::string_view text;
        std::string_view json;
    } rows[] = {
        {"plain", "Full Combo", R"("Full Combo")"},
        {"quote", R"(a"b)", R"("a\"b")"},
        {"backslash", R"(a\b)", R"("a\\b")"},
        {"tabAndUnitSeparator", "a\t\x1F", R"("a\u0009\u001f")"},
        {"deleteAndBeyondAsciiAsTheyAre", "\x7F\u00E9", "\"\x7F\u00E9\""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(jsonText(row.text), row.json) << row.name;
}
