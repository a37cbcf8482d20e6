// Scores lines of eight TAB-separated count texts from standard input, one JSON object per line.
// Usage: tallyfen-score [--decimal SEPARATOR] [--group SEPARATOR]

#include "scoreline.h"

#include <iostream>
#include <string>
#include <string_view>

namespace {

int usage()
{
    std::cerr << "usage: tallyfen-score [--decimal SEPARATOR] [--group SEPARATOR] < lines\n"
                 "Each line: Marvelous, Perfect, Great, Good, Boo, Miss, OK and Max OK counts,\n"
                 "separated by TABs.\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    tallyfen::NumberFormat format;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc)
            return usage();
        if (option == "--decimal")
            format.decimalSeparator = argv[++i];
        else if (option == "--group")
            format.groupSeparator = argv[++i];
        else
            return usage();
    }

    std::ios::sync_with_stdio(false);
    tallyfen::ScoreSheet sheet;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.ends_with('\r'))
            line.pop_back();
        std::cout << tallyfen::scoreLine(line, sheet, format) << '\n';
    }
    return 0;
}
