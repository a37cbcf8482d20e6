#include "grade.h"

#include <array>
#include <limits>

namespace tallyfen {
namespace {

// One row of the grade table: a grade is reached from its lower bound up to the next row's.
struct GradeBand
{
    Grade grade;
    std::string_view name;
    Percent lowerBound;
};

// Best grade first. AAAA and AAA share the bound of 100 %; the Perfect count tells them apart.
constexpr auto bands = std::to_array<GradeBand>({
    {Grade::aaaa, "AAAA", Percent::whole(100)},
    {Grade::aaa, "AAA", Percent::whole(100)},
    {Grade::aa, "AA", Percent::whole(93)},
    {Grade::a, "A", Percent::whole(80)},
    {Grade::b, "B", Percent::whole(65)},
    {Grade::c, "C", Percent::whole(40)},
    {Grade::d, "D", Percent{std::numeric_limits<std::int64_t>::min()}},
});

constexpr std::size_t aaaaRow = 0;
constexpr std::size_t aaaRow = 1;

} // namespace

std::string_view gradeName(Grade grade)
{
    return bands[static_cast<std::size_t>(grade)].name;
}

GradeOutcome evaluateGrade(Percent percent, Count perfect, std::string_view decimalSeparator)
{
    const Percent full = Percent::whole(100);
    if (percent > full)
        return {};
    if (percent == full) {
        if (perfect == 0)
            return {Grade::aaaa, "", ""};
        // Only the Perfects stand between AAA and AAAA: a fixed text, the same in every locale.
        return {Grade::aaa, std::string(bands[aaaaRow].name), "0.0000"};
    }
    for (std::size_t row = aaaRow + 1; row < bands.size(); ++row) {
        if (percent >= bands[row].lowerBound) {
            const GradeBand& next = bands[row - 1];
            return {bands[row].grade, std::string(next.name),
                    percentToText(next.lowerBound - percent, decimalSeparator)};
        }
    }
    return {}; // unreachable: the last band has no lower bound
}

} // namespace tallyfen
