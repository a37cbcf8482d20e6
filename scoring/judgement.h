#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tallyfen {

// The eight count boxes, in the order the calculation reads them.
enum class Judgement
{
    marvelous,
    perfect,
    great,
    good,
    boo,
    miss,
    ok,
    maxOk
};

inline constexpr std::size_t judgementCount = 8;

inline constexpr std::array<Judgement, judgementCount> allJudgements{
    Judgement::marvelous, Judgement::perfect, Judgement::great, Judgement::good,
    Judgement::boo,       Judgement::miss,    Judgement::ok,    Judgement::maxOk};

// The name a player knows the box by.
constexpr std::string_view judgementName(Judgement judgement)
{
    constexpr std::array<std::string_view, judgementCount> names{
        "Marvelous", "Perfect", "Great", "Good", "Boo", "Miss", "OK", "Max OK"};
    return names[static_cast<std::size_t>(judgement)];
}

} // namespace tallyfen
