#pragma once

#include "calculation.h"
#include "failure.h"

#include <string>
#include <string_view>

namespace tallyfen {

// Every sentence the player reads or hears, in one place, for every face of the program.

inline constexpr std::string_view applicationTitle = "Tallyfen";

// A message box: a title, a text and an OK button; a warning carries the warning sign.
struct Message
{
    enum class Kind
    {
        plain,
        warning
    };

    Kind kind = Kind::plain;
    std::string title;
    std::string text;
};

Message helpMessage();

// What went wrong, in a player's words. boxText is the text (UTF-8) of the box the failure names;
// it is quoted where that text is what failed.
Message failureMessage(const ScoringFailure& failure, std::string_view boxText);

// The result in one sentence, as a screen reader says it when Calculate is pressed:
// "92.8571 percent, grade A, 0.1429 away from AA, Full Combo, 208 of 224 dance points".
std::string spokenResult(const DanceResult& result);

// The Boo caption once clicked.
inline constexpr std::string_view clickedBooCaption = "Uber";

// The name a count box is read and called by, from the caption beside it: "Uber count".
std::string countBoxName(std::string_view caption);

} // namespace tallyfen
