#include "scoreline.h"

#include "calculation.h"

#include <optional>
#include <vector>

namespace tallyfen {
namespace {

bool isValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t codePoint = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1Fu;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0Fu;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07u;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (next & 0x3Fu);
        }
        constexpr char32_t shortestFor[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < shortestFor[length] || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += length;
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

// Every text the driver writes is one of the program's own ASCII texts or a number.
std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string quotedOrNull(std::optional<std::string_view> text)
{
    return text ? quoted(*text) : "null";
}

std::string successJson(const DanceResult& result)
{
    return "{\"dp\":" + countToText(result.dp) + ",\"maxDp\":" + countToText(result.maxDp) +
           ",\"percent\":" + quoted(result.percentText) + ",\"grade\":" +
           quotedOrNull(result.grade ? std::optional(gradeName(*result.grade)) : std::nullopt) +
           ",\"nextGrade\":" + quoted(result.nextGrade) +
           ",\"distance\":" + quoted(result.distance) + ",\"award\":" + quotedOrNull(result.award) +
           "}";
}

std::string failureJson(const ScoringFailure& failure)
{
    // Other tools read these lines: only a box text at fault names its box.
    const bool boxAtFault = failure.cause == FailureCause::boxText;
    return "{\"error\":" + quoted(failureKindName(failure.kind)) + ",\"box\":" +
           quotedOrNull(boxAtFault ? std::optional(judgementName(failure.box)) : std::nullopt) +
           "}";
}

} // namespace

std::string scoreLine(std::string_view line, ScoreSheet& sheet, const NumberFormat& format)
{
    const std::optional<BoxTexts> fields = isValidUtf8(line) ? splitFields(line) : std::nullopt;
    if (!fields)
        return R"({"error":"malformed line"})";
    const CalculationOutcome outcome = calculate(sheet, *fields, format);
    if (const auto* result = std::get_if<DanceResult>(&outcome))
        return successJson(*result);
    return failureJson(std::get<ScoringFailure>(outcome));
}

} // namespace tallyfen
