// Where a long box text may be cut: every case of Unicode's own test of grapheme cluster breaks
// (GraphemeBreakTest.txt, from the same release of the Unicode Character Database as the table).
#include <fstream>
#include <graphemes.h>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using namespace tallyfen;

namespace {

std::string utf8(char32_t codePoint)
{
    std::string text;
    const auto byte = [&](char32_t value) { text += static_cast<char>(value); };
    if (codePoint < 0x80) {
        byte(codePoint);
    } else if (codePoint < 0x800) {
        byte(0xC0 | (codePoint >> 6));
        byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        byte(0xE0 | (codePoint >> 12));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    } else {
        byte(0xF0 | (codePoint >> 18));
        byte(0x80 | ((codePoint >> 12) & 0x3F));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    }
    return text;
}

} // namespace

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
                text += utf8(static_cast<char32_t>(std::stoul(word, nullptr, 16)));
        }
        std::vector<std::size_t> found{0};
        while (found.back() < text.size())
            found.push_back(endOfCharacter(text, found.back()));
        EXPECT_EQ(found, expected) << line;
        ++tested;
    }
    EXPECT_GT(tested, 500);
}
