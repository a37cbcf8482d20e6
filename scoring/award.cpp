#include "award.h"

#include <array>

namespace tallyfen {
namespace {

struct AwardRule
{
    std::string_view text;
    bool (*holds)(const ScoreSheet&);
};

constexpr bool fullCombo(const ScoreSheet& s)
{
    return s.good == 0 && s.boo == 0 && s.miss == 0;
}

constexpr bool noGreats(const ScoreSheet& s)
{
    return fullCombo(s) && s.great == 0;
}

constexpr bool singleDigit(Count count)
{
    return count > 0 && count < 10;
}

// Later rows are the finer awards: where several hold, the last one stands.
constexpr auto awardRules = std::to_array<AwardRule>({
    {"Full Combo", fullCombo},
    {"Single Digit Greats",
     [](const ScoreSheet& s) { return fullCombo(s) && singleDigit(s.great); }},
    {"Black Flag", [](const ScoreSheet& s) { return fullCombo(s) && s.great == 1; }},
    {"Triple A", [](const ScoreSheet& s) { return noGreats(s) && s.ok == s.maxOk; }},
    {"Single Digit Perfects",
     [](const ScoreSheet& s) { return noGreats(s) && singleDigit(s.perfect); }},
    {"White Flag", [](const ScoreSheet& s) { return noGreats(s) && s.perfect == 1; }},
    {"Quadruple A",
     [](const ScoreSheet& s) { return noGreats(s) && s.perfect == 0 && s.ok == s.maxOk; }},
});

} // namespace

std::optional<std::string_view> evaluateAward(const ScoreSheet& sheet)
{
    std::optional<std::string_view> award;
    for (const AwardRule& rule : awardRules) {
        if (rule.holds(sheet))
            award = rule.text;
    }
    return award;
}

} // namespace tallyfen
