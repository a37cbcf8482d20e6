// The scoring core's speed: one whole calculation, and count conversion against the standard
// library's integer parser on the same texts.
#include "calculation.h"
#include "countconversion.h"

#include <benchmark/benchmark.h>
#include <charconv>
#include <string_view>

namespace {

using namespace tallyfen;

constexpr BoxTexts typicalPlay{"90", "0", "10", "0", "0", "0", "3", "4"};
constexpr BoxTexts longerCounts{"1523", "212", "37", "4", "1", "2", "61", "62"};

void wholeCalculation(benchmark::State& state, const BoxTexts& texts)
{
    const NumberFormat format;
    ScoreSheet sheet;
    for (auto _ : state) {
        CalculationOutcome outcome = calculate(sheet, texts, format);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK_CAPTURE(wholeCalculation, typicalPlay, typicalPlay);
BENCHMARK_CAPTURE(wholeCalculation, longerCounts, longerCounts);

void countConversion(benchmark::State& state, const BoxTexts& texts)
{
    const NumberFormat format;
    for (auto _ : state) {
        for (const std::string_view text : texts) {
            auto count = convertCountText(text, format);
            benchmark::DoNotOptimize(count);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK_CAPTURE(countConversion, typicalPlay, typicalPlay);
BENCHMARK_CAPTURE(countConversion, longerCounts, longerCounts);

// The floor: the standard parser of plain integers, which knows no sign '+', blanks, grouping,
// fractions, exponents or rounding.
void standardFromChars(benchmark::State& state, const BoxTexts& texts)
{
    for (auto _ : state) {
        for (const std::string_view text : texts) {
            Count count = 0;
            auto parsed = std::from_chars(text.data(), text.data() + text.size(), count);
            benchmark::DoNotOptimize(parsed);
            benchmark::DoNotOptimize(count);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK_CAPTURE(standardFromChars, typicalPlay, typicalPlay);
BENCHMARK_CAPTURE(standardFromChars, longerCounts, longerCounts);

} // namespace
