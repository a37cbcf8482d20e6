// Arbitrary bytes as eight box texts: the first byte picks the separators, newlines split the
// rest into boxes; the outcome is told in its sentence. Checks only what needs no second
// implementation of the rules.
#include <calculation.h>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <graphemes.h>
#include <sentences.h>

using namespace tallyfen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const NumberFormat formats[] = {{".", ","}, {",", "."}, {",", "\u202F"}, {".", ""}};
    const NumberFormat& format = formats[size == 0 ? 0 : data[0] % std::size(formats)];
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    rest.remove_prefix(size == 0 ? 0 : 1);
    BoxTexts texts{"0", "0", "0", "0", "0", "0", "0", "0"};
    for (std::size_t box = 0; box < texts.size() && !rest.empty(); ++box) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        texts[box] = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }

    ScoreSheet sheet;
    const CalculationOutcome outcome = calculate(sheet, texts, format);
    if (const auto* result = std::get_if<DanceResult>(&outcome)) {
        std::string text = result->percentText;
        if (const std::size_t at = text.find(format.decimalSeparator); at != std::string::npos)
            text.replace(at, format.decimalSeparator.size(), ".");
        char* end = nullptr;
        const double percent = std::strtod(text.c_str(), &end);
        if (*end != '\0' || std::llround(percent * 10'000) != result->dpPercent.tenThousandths ||
            !spokenResult(*result).starts_with(result->percentText))
            std::abort();
    } else {
        // A message quotes the start of the box at fault, whatever bytes it holds.
        const ScoringFailure& failure = std::get<ScoringFailure>(outcome);
        const std::string_view boxText = texts[static_cast<std::size_t>(failure.box)];
        const std::string_view start = startOfText(boxText, 20);
        if (failureKindName(failure.kind).empty() ||
            failureMessage(failure, boxText).text.empty() || !boxText.starts_with(start) ||
            utf16Length(start) > 20)
            std::abort();
    }
    return 0;
}
