#pragma once

#include "messagebox.h"

#include <QString>
#include <failure.h>

namespace tallyfen {

// Every message the program shows lives here, so its wording is kept in one place.

inline constexpr char16_t applicationTitle[] = u"Tallyfen";

Message helpMessage();

// What went wrong in a player's words. boxText is the text of the box the failure names; it is
// quoted when that text is what failed.
Message failureMessage(const ScoringFailure& failure, const QString& boxText);

} // namespace tallyfen
