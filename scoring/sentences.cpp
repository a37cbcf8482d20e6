#include "sentences.h"

#include "graphemes.h"
#include "utf8.h"

namespace tallyfen {

namespace {

// The blanks of a box that holds nothing else (Unicode's spaces, tabs and line ends).
bool isBlank(char32_t codePoint)
{
    return codePoint == 0x20 || (codePoint >= 0x09 && codePoint <= 0x0D) || codePoint == 0x85 ||
           codePoint == 0xA0 || codePoint == 0x1680 ||
           (codePoint >= 0x2000 && codePoint <= 0x200A) || codePoint == 0x2028 ||
           codePoint == 0x2029 || codePoint == 0x202F || codePoint == 0x205F || codePoint == 0x3000;
}

bool isBlankText(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const Utf8CodePoint next = decodeUtf8(text.substr(at));
        if (!isBlank(next.codePoint))
            return false;
        at += next.length;
    }
    return true;
}

// A box has no length limit; a pasted page would bury the message, so only its start is quoted,
// cut where a character ends (not inside an emoji or before an accent).
std::string quotedStart(std::string_view boxText)
{
    constexpr std::size_t shownLength = 20;
    constexpr std::string_view ellipsis = "...";
    if (utf16Length(boxText) <= shownLength + ellipsis.size())
        return std::string(boxText);
    return std::string(startOfText(boxText, shownLength)) + std::string(ellipsis);
}

std::string boxTextAtFault(const ScoringFailure& failure, std::string_view boxText)
{
    const std::string box(judgementName(failure.box));
    if (isBlankText(boxText))
        return "the " + box + " box is empty";
    return "the " + box + " box holds \"" + quotedStart(boxText) + "\"";
}

// What ran over, as the subject of "... too large to score".
std::string_view overflowing(FailureCause cause)
{
    switch (cause) {
    case FailureCause::marvelousAndPerfect:
        return "Marvelous and Perfect together are";
    case FailureCause::great:
        return "the Great count is";
    case FailureCause::boo:
        return "the Boo count is";
    case FailureCause::miss:
        return "the Miss count is";
    case FailureCause::ok:
        return "the OK count is";
    case FailureCause::stepCounts:
        return "the six step counts together are";
    case FailureCause::maxOk:
        return "the Max OK count is";
    case FailureCause::maxDpTotal:
        return "the six step counts and Max OK together are";
    case FailureCause::boxText:
    case FailureCause::noMaxDp:
        break;
    }
    return {};
}

std::string failureText(const ScoringFailure& failure, std::string_view boxText)
{
    if (failure.cause == FailureCause::boxText) {
        if (failure.kind == FailureKind::typeMismatch)
            return "Type mismatch: " + boxTextAtFault(failure, boxText) +
                   ", which is not a number.";
        return "Overflow: " + boxTextAtFault(failure, boxText) +
               ", which is outside the counts this calculator takes (-32768 to 32767).";
    }
    if (failure.cause == FailureCause::noMaxDp) {
        if (failure.kind == FailureKind::divisionByZero)
            return "Division by zero: Max DP is 0, so the dance points cannot be turned into a "
                   "percentage.";
        return "Overflow: Max DP is 0, so there is nothing to score. Type the counts of your play "
               "first.";
    }
    return "Overflow: " + std::string(overflowing(failure.cause)) +
           " too large to score. DP and Max DP have to stay between -32768 and 32767.";
}

} // namespace

Message helpMessage()
{
    return {Message::Kind::plain, std::string(applicationTitle),
            "Insert the score you have gotten into the text boxes and hit calculate. This will "
            "calculate the Dance Points, the determining factors for which grade you recieve on a "
            "song. By seeing this you can tell by just how much you got your grade or missed the "
            "one you were going for. A marvelous or a perfect is worth 2 DP, Greats are worth 1, "
            "Goods are worth 0, Boos take away 4, Misses take away 8 and an OK is worth 6."};
}

Message failureMessage(const ScoringFailure& failure, std::string_view boxText)
{
    return {Message::Kind::warning, std::string(applicationTitle), failureText(failure, boxText)};
}

std::string spokenResult(const DanceResult& result)
{
    std::string spoken = result.percentText + " percent, ";
    spoken += result.grade ? "grade " + std::string(gradeName(*result.grade)) : "no grade";
    if (!result.nextGrade.empty())
        spoken += ", " + result.distance + " away from " + result.nextGrade;
    if (result.award)
        spoken += ", " + std::string(*result.award);
    spoken += ", " + countToText(result.dp) + " of " + countToText(result.maxDp) + " dance points";
    return spoken;
}

std::string countBoxName(std::string_view caption)
{
    return std::string(caption) + " count";
}

} // namespace tallyfen
