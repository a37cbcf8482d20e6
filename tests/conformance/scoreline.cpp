#include "scoreline.h"

#include "calculation.h"
#include "resultjson.h"
#include "sentences.h"
#include "utf8.h"

#include <optional>

namespace tallyfen {
namespace {

bool isValidUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const Utf8CodePoint next = decodeUtf8(text.substr(at));
        if (!next.wellFormed)
            return false;
        at += next.length;
    }
    return true;
}

std::optional<BoxTexts> splitFields(std::string_view line)
{
    BoxTexts fields;
    std::size_t count = 0;
    while (true) {
        const std::size_t tab = line.find('\t');
        if (count == fields.size())
            return std::nullopt;
        fields[count++] = line.substr(0, tab);
        if (tab == std::string_view::npos)
            break;
        line.remove_prefix(tab + 1);
    }
    if (count != fields.size())
        return std::nullopt;
    return fields;
}

std::string failureJson(const ScoringFailure& failure)
{
    // Other tools read these lines: only a box text at fault names its box.
    const bool boxAtFault = failure.cause == FailureCause::boxText;
    return "{\"error\":" + jsonText(failureKindName(failure.kind)) + ",\"box\":" +
           jsonTextOrNull(boxAtFault ? std::optional(judgementName(failure.box)) : std::nullopt) +
           "}";
}

} // namespace

std::string scoreLine(std::string_view line, ScoreSheet& sheet, const NumberFormat& format,
                      LineOutput output)
{
    const std::optional<BoxTexts> fields = isValidUtf8(line) ? splitFields(line) : std::nullopt;
    if (!fields)
        return R"({"error":"malformed line"})";
    const CalculationOutcome outcome = calculate(sheet, *fields, format);
    const auto* result = std::get_if<DanceResult>(&outcome);
    const auto* failure = std::get_if<ScoringFailure>(&outcome);
    if (output == LineOutput::sentence && result)
        return spokenResult(*result);
    if (output == LineOutput::sentence)
        return "[" + std::string(judgementName(failure->box)) + "] " +
               failureMessage(*failure, (*fields)[static_cast<std::size_t>(failure->box)]).text;
    return result ? resultJson(*result) : failureJson(*failure);
}

} // namespace tallyfen
