// The scoring core and its sentences as the web page calls them: plain C functions that take the
// boxes' texts as UTF-8 and give back what the window shows as JSON, which the page's script
// writes into its elements as it finds them. Each answer stays valid until the next call.
#include <calculation.h>
#include <resultjson.h>
#include <sentences.h>
#include <string>
#include <string_view>

namespace {

using namespace tallyfen;

// The page's window's record of the play, as the desktop window holds one.
ScoreSheet sheet;
std::string answer;

std::string messageJson(const Message& message)
{
    return "{\"warning\":" +
           std::string(message.kind == Message::Kind::warning ? "true" : "false") +
           ",\"title\":" + jsonText(message.title) + ",\"text\":" + jsonText(message.text) + "}";
}

const char* answered(std::string json)
{
    answer = std::move(json);
    return answer.c_str();
}

} // namespace

extern "C" {

// The eight box texts in the order the core reads them, then the locale's separators. A result:
// {"result": resultJson's object, "spoken": the sentence said}; a failure: {"message":
// {"warning", "title", "text"}, "box": the index of the box at fault}.
const char* tallyfen_calculate(const char* marvelous, const char* perfect, const char* great,
                               const char* good, const char* boo, const char* miss, const char* ok,
                               const char* maxOk, const char* decimalSeparator,
                               const char* groupSeparator)
{
    const BoxTexts texts{marvelous, perfect, great, good, boo, miss, ok, maxOk};
    const CalculationOutcome outcome =
        calculate(sheet, texts, NumberFormat{decimalSeparator, groupSeparator});
    if (const auto* result = std::get_if<DanceResult>(&outcome))
        return answered("{\"result\":" + resultJson(*result) +
                        ",\"spoken\":" + jsonText(spokenResult(*result)) + "}");
    const auto& failure = std::get<ScoringFailure>(outcome);
    const auto box = static_cast<std::size_t>(failure.box);
    return answered("{\"message\":" + messageJson(failureMessage(failure, texts[box])) +
                    ",\"box\":" + std::to_string(box) + "}");
}

// {"warning", "title", "text"}
const char* tallyfen_help_message()
{
    return answered(messageJson(helpMessage()));
}

// The Boo caption once clicked, and the name its box is read by then: {"caption", "name"}.
const char* tallyfen_clicked_boo()
{
    return answered("{\"caption\":" + jsonText(clickedBooCaption) +
                    ",\"name\":" + jsonText(countBoxName(clickedBooCaption)) + "}");
}

} // extern "C"
