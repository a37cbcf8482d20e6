// Where a long box text may be cut: every case of Unicode's own test of grapheme cluster breaks
// (GraphemeBreakTest.txt, from the same release of the Unicode Character Database as the table).
#include <codepoint.h>
#include <fstream>
#include <graphemes.h>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using namespace tallyfen;

TEST(Graphemes, breakWhereUnicodesTestsBreak)
{
    std::ifstream cases(TALLYFEN_UCD "/auxiliary/GraphemeBreakTest.txt");
    ASSERT_TRUE(cases) << TALLYFEN_UCD "/auxiliary/GraphemeBreakTest.txt";
    std::string line;
    int tested = 0;
    while (std::getline(cases, line)) {
        const std::string rule = line.substr(0, line.find('#'));
        if (rule.empty())
            continue;
        // "÷ 0020 × 0308 ÷": a code point between marks that break (÷) or join (×).
        std::istringstream words(rule);
        std::string text, word;
        std::vector<std::size_t> expected;
        while (words >> word) {
            if (word == "÷")
                expected.push_back(text.size());
            else if (word != "×")
                text += utf8Of(static_cast<char32_t>(std::stoul(word, nullptr, 16)));
        }
        std::vector<std::size_t> found{0};
        while (found.back() < text.size())
            found.push_back(endOfCharacter(text, found.back()));
        EXPECT_EQ(found, expected) << line;
        ++tested;
    }
    EXPECT_GT(tested, 500);
}
