#pragma once

#include "judgement.h"

#include <string_view>

namespace tallyfen {

enum class FailureKind
{
    typeMismatch,
    overflow,
    divisionByZero
};

// What stopped a calculation: a box text, a step of the DP or Max DP chain that left the
// 16-bit range, or a Max DP of 0.
enum class FailureCause
{
    boxText,             // the box's text is not a number, or is outside -32768..32767
    marvelousAndPerfect, // DP: (Marvelous + Perfect) x 2
    great,               // DP: that + Great
    boo,                 // DP: that - Boo x 4
    miss,                // DP: that - Miss x 8
    ok,                  // DP: that + OK x 6
    stepCounts,          // Max DP: (Marvelous + Perfect + Great + Good + Boo + Miss) x 2
    maxOk,               // Max DP: Max OK x 6
    maxDpTotal,          // Max DP: the doubled step counts + Max OK x 6
    noMaxDp              // Max DP is 0: 0 / 0 (an overflow) or DP / 0 (a division by zero)
};

// Why a calculation stopped, and the box a player should look at first: the box whose text
// failed, or the largest count of the step that ran over.
struct ScoringFailure
{
    FailureKind kind;
    FailureCause cause;
    Judgement box;
};

constexpr std::string_view failureKindName(FailureKind kind)
{
    switch (kind) {
    case FailureKind::typeMismatch:
        return "type mismatch";
    case FailureKind::overflow:
        return "overflow";
    case FailureKind::divisionByZero:
        return "division by zero";
    }
    return {};
}

} // namespace tallyfen
