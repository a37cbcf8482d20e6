#pragma once

#include <cstdint>
#include <string>

namespace tallyfen {

// A judgement count or a dance-point total: 16 bits, signed, as the scoring rules define them.
using Count = std::int16_t;

// Plain decimal, a minus sign before a negative value, no grouping.
inline std::string countToText(Count count)
{
    return std::to_string(count);
}

} // namespace tallyfen
