// A megabyte of text in a box: the calculation reports it, or reads it, in one pass.
#include <benchmark/benchmark.h>
#include <calculation.h>
#include <string>

namespace {

using namespace tallyfen;

void megabyteBox(benchmark::State& state, const std::string& text)
{
    const BoxTexts texts{text, "0", "10", "0", "0", "0", "3", "4"};
    const NumberFormat format;
    ScoreSheet sheet;
    for (auto _ : state) {
        CalculationOutcome outcome = calculate(sheet, texts, format);
        benchmark::DoNotOptimize(outcome);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK_CAPTURE(megabyteBox, overflow, "1" + std::string(1 << 20, '0'));
BENCHMARK_CAPTURE(megabyteBox, typeMismatchAtTheEnd, std::string(1 << 20, '9') + "x");
BENCHMARK_CAPTURE(megabyteBox, leadingZerosThenACount, std::string(1 << 20, '0') + "90");

} // namespace
