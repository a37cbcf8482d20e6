#pragma once

#include "judgement.h"

#include <optional>
#include <string_view>

namespace tallyfen {

enum class FailureKind
{
    typeMismatch,
    overflow,
    divisionByZero
};

// Why a calculation stopped, and the box that stopped it when a box text was at fault.
struct ScoringFailure
{
    FailureKind kind;
    std::optional<Judgement> box;

    friend bool operator==(const ScoringFailure&, const ScoringFailure&) = default;
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
