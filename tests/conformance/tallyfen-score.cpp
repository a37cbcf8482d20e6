// Scores lines of eight TAB-separated count texts from standard input, one JSON object per line,
// or with --sentences the sentence the player is told, one per line.
// Usage: tallyfen-score [--sentences] [--decimal SEPARATOR] [--group SEPARATOR]
// A separator is given as itself or as U+XXXX, which survives a command line in any code page.

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
    const unsigned long codePoint = std::stoul(std::string(argument.substr(2)), nullptr, 16);
    std::string utf8;
    const auto byte = [](unsigned long value) { return static_cast<char>(value); };
    if (codePoint < 0x80) {
        utf8 += byte(codePoint);
    } else if (codePoint < 0x800) {
        utf8 += byte(0xC0 | (codePoint >> 6));
        utf8 += byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        utf8 += byte(0xE0 | (codePoint >> 12));
        utf8 += byte(0x80 | ((codePoint >> 6) & 0x3F));
        utf8 += byte(0x80 | (codePoint & 0x3F));
    } else {
        utf8 += byte(0xF0 | (codePoint >> 18));
        utf8 += byte(0x80 | ((codePoint >> 12) & 0x3F));
        utf8 += byte(0x80 | ((codePoint >> 6) & 0x3F));
        utf8 += byte(0x80 | (codePoint & 0x3F));
    }
    return utf8;
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
