#pragma once

#include "messagebox.h"

#include <QString>
#include <failure.h>

namespace tallyfen {

// Every message the program shows lives here, so its wording is kept in one place.

inline constexpr char16_t applicationTitle[] = u"Tallyfen";

Message helpMessage();

// What went wrong in a player's words. boxText is the text of the box at fault (if any);
// noMaxDp tells counts that leave nothing to score from counts whose totals ran over.
Message failureMessage(const ScoringFailure& failure, const QString& boxText, bool noMaxDp);

} // namespace tallyfen
