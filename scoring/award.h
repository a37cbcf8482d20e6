#pragma once

#include "scoresheet.h"

#include <optional>
#include <string_view>

namespace tallyfen {

// The award for a clean combo, decided by the counts alone; none when no rule holds.
std::optional<std::string_view> evaluateAward(const ScoreSheet& sheet);

} // namespace tallyfen
