#include "fuzzinput.h"
#include "referenceconversion.h"

#include <countconversion.h>
#include <cstdio>
#include <cstdlib>
#include <variant>

namespace {

std::string describe(const std::variant<tallyfen::Count, tallyfen::FailureKind>& outcome)
{
    if (const auto* count = std::get_if<tallyfen::Count>(&outcome))
        return std::to_string(*count);
    return std::string(tallyfen::failureKindName(std::get<tallyfen::FailureKind>(outcome)));
}

} // namespace

// Every text converts exactly as the slow reference says.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [format, text] = tallyfen::fuzzing::splitFuzzInput(data, size);
    const auto converted = tallyfen::convertCountText(text, format);
    const auto expected = tallyfen::reference::convertCountTextSlowly(text, format);
    if (converted != expected) {
        std::fprintf(stderr, "text \"%s\" (decimal \"%s\", group \"%s\"): got %s, expected %s\n",
                     tallyfen::fuzzing::printable(text).c_str(),
                     tallyfen::fuzzing::printable(format.decimalSeparator).c_str(),
                     tallyfen::fuzzing::printable(format.groupSeparator).c_str(),
                     describe(converted).c_str(), describe(expected).c_str());
        std::abort();
    }
    return 0;
}
