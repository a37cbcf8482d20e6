#pragma once

#include "calculation.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallyfen {

// A text as a JSON string: quoted, with quotes, backslashes and control characters escaped.
std::string jsonText(std::string_view text);

// A text as a JSON string, or null where there is none.
std::string jsonTextOrNull(std::optional<std::string_view> text);

// A result as the programs that read it as data take it:
// {"dp":208,"maxDp":224,"percent":"92.8571","grade":"A","nextGrade":"AA","distance":"0.1429",
// "award":"Full Combo"}, the grade and the award null where there is none.
std::string resultJson(const DanceResult& result);

} // namespace tallyfen
