#pragma once

#include <QString>
#include <calculation.h>

namespace tallyfen {

// The result of a calculation in one sentence, as a screen reader speaks it when Calculate is
// pressed: "92.8571 percent, grade A, 0.1429 away from AA, Full Combo, 208 of 224 dance points".
QString spokenResult(const DanceResult& result);

} // namespace tallyfen
