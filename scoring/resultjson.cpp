#include "resultjson.h"

#include "grade.h"

namespace tallyfen {

std::string jsonText(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr std::string_view hex = "0123456789abcdef";
            json += "\\u00";
            json += hex[static_cast<unsigned char>(c) >> 4];
            json += hex[static_cast<unsigned char>(c) & 0xF];
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string jsonTextOrNull(std::optional<std::string_view> text)
{
    return text ? jsonText(*text) : "null";
}

std::string resultJson(const DanceResult& result)
{
    return "{\"dp\":" + countToText(result.dp) + ",\"maxDp\":" + countToText(result.maxDp) +
           ",\"percent\":" + jsonText(result.percentText) + ",\"grade\":" +
           jsonTextOrNull(result.grade ? std::optional(gradeName(*result.grade)) : std::nullopt) +
           ",\"nextGrade\":" + jsonText(result.nextGrade) +
           ",\"distance\":" + jsonText(result.distance) +
           ",\"award\":" + jsonTextOrNull(result.award) + "}";
}

} // namespace tallyfen
