// Scores lines of eight TAB-separated count texts from standard input, one JSON object per line,
// or with --sentences the sentence the player is told, one per line: the result said, or
// "[Box] " and the message of a failure, whose box is the one the player should look at first.
// Usage: tallyfen-score [--sentences] [--decimal SEPARATOR] [--group SEPARATOR]
// A separator is given as itself or as U+XXXX, which survives a command line in any code page.

#include "codepoint.h"
#include "scoreline.h"

#include <iostream>
#include <string>
#include <string_view>

namespace {

// "U+202F" as UTF-8; any other text as it is.
std::string separator(std::string_view argument)
{
    const bool written =
        argument.starts_with("U+") && argument.size() > 2 && argument.size() <= 8 &&
        argument.find_first_not_of("0123456789ABCDEFabcdef", 2) == std::string_view::npos;
    if (!written)
        return std::string(argument);
    return utf8Of(static_cast<char32_t>(std::stoul(std::string(argument.substr(2)), nullptr, 16)));
}

int usage()
{
    std::cerr << "usage: tallyfen-score [--sentences] [--decimal SEPARATOR] [--group SEPARATOR]"
                 " < lines\n"
                 "Each line: Marvelous, Perfect, Great, Good, Boo, Miss, OK and Max OK counts,\n"
                 "separated by TABs.\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    tallyfen::NumberFormat format;
    auto output = tallyfen::LineOutput::json;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--sentences") {
            output = tallyfen::LineOutput::sentence;
            continue;
        }
        if (i + 1 >= argc)
            return usage();
        if (option == "--decimal")
            format.decimalSeparator = separator(argv[++i]);
        else if (option == "--group")
            format.groupSeparator = separator(argv[++i]);
        else
            return usage();
    }

    std::ios::sync_with_stdio(false);
    tallyfen::ScoreSheet sheet;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.ends_with('\r'))
            line.pop_back();
        std::cout << tallyfen::scoreLine(line, sheet, format, output) << '\n';
    }
    return 0;
}
