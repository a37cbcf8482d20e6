#pragma once

#include <cstdint>
#include <optional>
#include <utility>

namespace tallyfen {

// A judgement count or a dance-point total: 16 bits, signed, as the scoring rules define them.
using Count = std::int16_t;

// A Count whose every addition, subtraction and multiplication is checked. Once a step leaves
// the 16-bit range the value stays overflowed, so a chain of steps fails if any one of them did.
class CheckedCount
{
public:
    constexpr CheckedCount(Count value) : m_value(value) {}

    constexpr std::optional<Count> value() const
    {
        return m_overflowed ? std::nullopt : std::optional<Count>(m_value);
    }

    friend constexpr CheckedCount operator+(CheckedCount a, CheckedCount b)
    {
        return combine(a, b, a.m_value + b.m_value);
    }
    friend constexpr CheckedCount operator-(CheckedCount a, CheckedCount b)
    {
        return combine(a, b, a.m_value - b.m_value);
    }
    friend constexpr CheckedCount operator*(CheckedCount a, CheckedCount b)
    {
        return combine(a, b, a.m_value * b.m_value);
    }

private:
    static constexpr CheckedCount overflowed()
    {
        CheckedCount result(0);
        result.m_overflowed = true;
        return result;
    }

    // Two 16-bit operands cannot leave the range of int, so the exact result is at hand.
    static constexpr CheckedCount combine(CheckedCount a, CheckedCount b, int exact)
    {
        if (a.m_overflowed || b.m_overflowed || !std::in_range<Count>(exact))
            return overflowed();
        return CheckedCount(static_cast<Count>(exact));
    }

    Count m_value;
    bool m_overflowed = false;
};

} // namespace tallyfen
