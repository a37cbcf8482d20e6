#include "fuzzinput.h"
#include "referenceconversion.h"

#include <array>
#include <calculation.h>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

using namespace tallyfen;

namespace {

struct Context
{
    const NumberFormat& format;
    const std::array<std::string, judgementCount>& texts;
};

[[noreturn]] void fail(const Context& context, const std::string& what)
{
    std::fprintf(stderr, "%s\nboxes (decimal \"%s\", group \"%s\"):\n", what.c_str(),
                 fuzzing::printable(context.format.decimalSeparator).c_str(),
                 fuzzing::printable(context.format.groupSeparator).c_str());
    for (std::size_t i = 0; i < judgementCount; ++i)
        std::fprintf(stderr, "  %s: \"%s\"\n", std::string(judgementName(allJudgements[i])).c_str(),
                     fuzzing::printable(context.texts[i]).c_str());
    std::abort();
}

void require(const Context& context, bool holds, const std::string& what)
{
    if (!holds)
        fail(context, what);
}

// Splits the text into the eight boxes at newlines (which no box accepts); missing boxes hold 0.
std::array<std::string, judgementCount> boxTexts(std::string_view text)
{
    std::array<std::string, judgementCount> texts;
    texts.fill("0");
    for (std::size_t box = 0; box < judgementCount; ++box) {
        const std::size_t end = text.find('\n');
        texts[box] = std::string(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return texts;
}

// One step of a chain, done in wide integers: empty once any step has left the 16-bit range.
using Wide = std::optional<long>;

Wide inRange(long value)
{
    return value >= -32768 && value <= 32767 ? Wide(value) : std::nullopt;
}

Wide plus(Wide a, Wide b)
{
    return a && b ? inRange(*a + *b) : std::nullopt;
}

Wide minus(Wide a, Wide b)
{
    return a && b ? inRange(*a - *b) : std::nullopt;
}

Wide times(Wide a, long factor)
{
    return a ? inRange(*a * factor) : std::nullopt;
}

// The value of a percentage text, in ten-thousandths, if it is in the shortest form.
std::optional<std::int64_t> readPercentText(std::string_view text, std::string_view decimal)
{
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        text.remove_prefix(1);
    std::string_view whole = text;
    std::string_view fraction;
    if (const std::size_t point = text.find(decimal); point != std::string_view::npos) {
        whole = text.substr(0, point);
        fraction = text.substr(point + decimal.size());
        if (fraction.empty() || fraction.size() > 4 || fraction.back() == '0')
            return std::nullopt;
    }
    const auto digitsOnly = [](std::string_view s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digitsOnly(whole) || (whole.size() > 1 && whole[0] == '0') ||
        (!fraction.empty() && !digitsOnly(fraction)) || whole.size() > 12)
        return std::nullopt;
    std::int64_t value = std::stoll(std::string(whole)) * 10'000;
    std::int64_t unit = 1'000;
    for (const char digit : fraction) {
        value += (digit - '0') * unit;
        unit /= 10;
    }
    if (negative && value == 0)
        return std::nullopt;
    return negative ? -value : value;
}

// The award rows, best last: the last row whose condition holds stands.
std::optional<std::string_view> expectedAward(const ScoreSheet& s)
{
    const bool clean = s.good == 0 && s.boo == 0 && s.miss == 0;
    const bool allOk = s.ok == s.maxOk;
    const struct
    {
        bool holds;
        std::string_view text;
    } rows[] = {
        {clean, "Full Combo"},
        {clean && s.great > 0 && s.great < 10, "Single Digit Greats"},
        {clean && s.great == 1, "Black Flag"},
        {clean && s.great == 0 && allOk, "Triple A"},
        {clean && s.great == 0 && s.perfect > 0 && s.perfect < 10, "Single Digit Perfects"},
        {clean && s.great == 0 && s.perfect == 1, "White Flag"},
        {clean && s.great == 0 && s.perfect == 0 && allOk, "Quadruple A"},
    };
    std::optional<std::string_view> award;
    for (const auto& row : rows)
        if (row.holds)
            award = row.text;
    return award;
}

void checkGrade(const Context& context, const DanceResult& result, Count perfect)
{
    const std::int64_t p = result.dpPercent.tenThousandths;
    constexpr std::int64_t whole = 10'000;
    const struct
    {
        bool reached;
        Grade grade;
        std::string_view next;
        std::int64_t nextBound;
    } bands[] = {
        {p == 100 * whole && perfect == 0, Grade::aaaa, "", 0},
        {p == 100 * whole && perfect != 0, Grade::aaa, "AAAA", 100 * whole},
        {p >= 93 * whole && p < 100 * whole, Grade::aa, "AAA", 100 * whole},
        {p >= 80 * whole && p < 93 * whole, Grade::a, "AA", 93 * whole},
        {p >= 65 * whole && p < 80 * whole, Grade::b, "A", 80 * whole},
        {p >= 40 * whole && p < 65 * whole, Grade::c, "B", 65 * whole},
        {p < 40 * whole, Grade::d, "C", 40 * whole},
    };
    for (const auto& band : bands) {
        if (!band.reached)
            continue;
        require(context, result.grade == band.grade, "grade outside its band");
        require(context, result.nextGrade == band.next, "wrong next grade");
        if (band.grade == Grade::aaaa) {
            require(context, result.distance.empty(), "a distance above AAAA");
        } else if (band.grade == Grade::aaa) {
            // Written with the locale's decimal separator, as every other distance is.
            require(context, result.distance == "0" + context.format.decimalSeparator + "0000",
                    "AAA distance is not 0.0000");
        } else {
            require(context,
                    readPercentText(result.distance, context.format.decimalSeparator) ==
                        band.nextBound - p,
                    "distance text \"" + result.distance + "\" is not the bound minus " +
                        std::to_string(p));
        }
        return;
    }
    require(context, !result.grade && result.nextGrade.empty() && result.distance.empty(),
            "a grade or next grade above 100 %");
}

void checkSuccess(const Context& context, const DanceResult& result, const ScoreSheet& sheet,
                  long dp, long maxDp)
{
    require(context, result.dp == dp, "DP differs from its chain");
    require(context, result.maxDp == maxDp, "Max DP differs from its chain");
    require(context, result.maxDp % 2 == 0, "Max DP is odd");
    require(context, sheet.dp == 0 && sheet.maxDp == 0 && sheet.dpPercent.tenThousandths == 0,
            "the totals were kept after the calculation");

    // Within half a ten-thousandth of DP / Max DP, allowing for the double's last bit.
    const std::int64_t error =
        result.dpPercent.tenThousandths * static_cast<std::int64_t>(maxDp) - dp * 1'000'000;
    require(context, std::abs(error) * 2'000'000 <= std::abs(maxDp) * 1'000'001,
            "percentage " + std::to_string(result.dpPercent.tenThousandths) +
                " is not DP / Max DP rounded");
    require(context,
            readPercentText(result.percentText, context.format.decimalSeparator) ==
                result.dpPercent.tenThousandths,
            "percentage text \"" + result.percentText + "\" does not read back");

    checkGrade(context, result, sheet.perfect);
    require(context, result.award == expectedAward(sheet), "award not as the table says");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [format, text] = fuzzing::splitFuzzInput(data, size);
    const std::array<std::string, judgementCount> texts = boxTexts(text);
    const Context context{format, texts};

    BoxTexts views;
    for (std::size_t i = 0; i < judgementCount; ++i)
        views[i] = texts[i];
    ScoreSheet sheet;
    const CalculationOutcome outcome = calculate(sheet, views, format);
    const ScoringFailure* failure = std::get_if<ScoringFailure>(&outcome);

    for (std::size_t i = 0; i < judgementCount; ++i) {
        const auto count = reference::convertCountTextSlowly(texts[i], format);
        if (const auto* kind = std::get_if<FailureKind>(&count)) {
            require(context, failure && failure->kind == *kind && failure->box == allJudgements[i],
                    "box " + std::to_string(i) + " should have failed first");
            require(context, sheet.dp == 0 && sheet.maxDp == 0, "totals left after a failure");
            return 0;
        }
        require(context, sheet.count(allJudgements[i]) == std::get<Count>(count),
                "count read differs from the reference");
    }

    const ScoreSheet& s = sheet;
    Wide dp = plus(0, times(plus(s.marvelous, s.perfect), 2));
    dp = plus(dp, s.great);
    dp = minus(dp, times(s.boo, 4));
    dp = minus(dp, times(s.miss, 8));
    dp = plus(dp, times(s.ok, 6));

    Wide steps =
        plus(plus(plus(plus(plus(s.marvelous, s.perfect), s.great), s.good), s.boo), s.miss);
    const Wide maxDp = dp ? plus(times(steps, 2), times(s.maxOk, 6)) : std::nullopt;

    if (!maxDp) {
        require(context, failure && *failure == ScoringFailure{FailureKind::overflow, std::nullopt},
                "an out-of-range chain did not fail as an overflow");
        return 0;
    }
    if (*maxDp == 0) {
        const FailureKind kind = *dp == 0 ? FailureKind::overflow : FailureKind::divisionByZero;
        require(context, failure && *failure == ScoringFailure{kind, std::nullopt},
                "Max DP 0 did not fail as it should");
        return 0;
    }
    require(context, !failure, "a calculation in range failed");
    checkSuccess(context, std::get<DanceResult>(outcome), sheet, *dp, *maxDp);
    return 0;
}
