#include "graphemes.h"

#include "utf8.h"

#include <algorithm>
#include <cstdint>

namespace tallyfen {
namespace {

// The grapheme cluster break property of a code point, by the Unicode Character Database's names.
enum class Break : std::uint8_t
{
    Other,
    CR,
    LF,
    Control,
    Extend,
    ZWJ,
    Regional_Indicator,
    Prepend,
    SpacingMark,
    L,
    V,
    T,
    LV,
    LVT,
    Extended_Pictographic
};

struct BreakRange
{
    char32_t first;
    char32_t last;
    Break property;
};

// Every code point that is not Other, in ranges in order, written at build time from Debian's
// unicode-data (graphemebreaks.cmake).
constexpr BreakRange breakRanges[] = {
#include "graphemebreaks.inc"
};

Break breakProperty(char32_t codePoint)
{
    constexpr char32_t firstSyllable = 0xAC00, lastSyllable = 0xD7A3, syllablesPerLead = 28;
    if (codePoint >= firstSyllable && codePoint <= lastSyllable)
        return (codePoint - firstSyllable) % syllablesPerLead == 0 ? Break::LV : Break::LVT;
    const auto* range = std::upper_bound(
        std::begin(breakRanges), std::end(breakRanges), codePoint,
        [](char32_t point, const BreakRange& candidate) { return point < candidate.first; });
    if (range == std::begin(breakRanges) || (--range)->last < codePoint)
        return Break::Other;
    return range->property;
}

bool isControl(Break property)
{
    return property == Break::Control || property == Break::CR || property == Break::LF;
}

} // namespace

// The rules of Unicode's text segmentation (UAX #29) for extended grapheme clusters, in its
// numbering; a cluster's first code point starts the rules afresh.
std::size_t endOfCharacter(std::string_view utf8, std::size_t from)
{
    const Utf8CodePoint first = decodeUtf8(utf8.substr(from));
    std::size_t end = from + first.length;
    Break before = breakProperty(first.codePoint);
    // GB11: an emoji, extended, then a joiner; GB12, GB13: how many flags' letters run so far.
    bool afterPictographic = before == Break::Extended_Pictographic;
    bool joinedToPictographic = false;
    int regionalIndicators = before == Break::Regional_Indicator ? 1 : 0;
    while (end < utf8.size()) {
        const Utf8CodePoint next = decodeUtf8(utf8.substr(end));
        const Break after = breakProperty(next.codePoint);
        const bool joined =
            (before == Break::CR && after == Break::LF) ||                      // GB3
            (!isControl(before) && !isControl(after) &&                         // GB4, 5
             ((before == Break::L && (after == Break::L || after == Break::V || // GB6
                                      after == Break::LV || after == Break::LVT)) ||
              ((before == Break::LV || before == Break::V) && // GB7
               (after == Break::V || after == Break::T)) ||
              ((before == Break::LVT || before == Break::T) && after == Break::T) || // GB8
              after == Break::Extend || after == Break::ZWJ ||                       // GB9
              after == Break::SpacingMark ||                                         // GB9a
              before == Break::Prepend ||                                            // GB9b
              (joinedToPictographic && after == Break::Extended_Pictographic) ||     // GB11
              (regionalIndicators % 2 == 1 && after == Break::Regional_Indicator))); // GB12, 13
        if (!joined)
            break;
        joinedToPictographic = afterPictographic && after == Break::ZWJ;
        afterPictographic =
            after == Break::Extended_Pictographic || (afterPictographic && after == Break::Extend);
        regionalIndicators = after == Break::Regional_Indicator ? regionalIndicators + 1 : 0;
        before = after;
        end += next.length;
    }
    return end;
}

std::size_t utf16Length(std::string_view utf8)
{
    std::size_t units = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8CodePoint next = decodeUtf8(utf8.substr(at));
        units += next.codePoint > 0xFFFF ? 2 : 1;
        at += next.length;
    }
    return units;
}

std::string_view startOfText(std::string_view utf8, std::size_t units)
{
    std::size_t end = 0, taken = 0;
    while (end < utf8.size()) {
        const std::size_t next = endOfCharacter(utf8, end);
        taken += utf16Length(utf8.substr(end, next - end));
        if (taken > units)
            break;
        end = next;
    }
    return utf8.substr(0, end);
}

} // namespace tallyfen
