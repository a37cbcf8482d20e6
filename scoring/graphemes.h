#pragma once

#include <cstddef>
#include <string_view>

namespace tallyfen {

// Where the character that starts at byte `from` of a UTF-8 text ends: a character as a reader
// sees one, which may be several code points (a letter and its accents, an emoji with its
// modifiers or joined to others, a flag), as Unicode's extended grapheme clusters define it.
// A byte that is not UTF-8 is a character of its own.
std::size_t endOfCharacter(std::string_view utf8, std::size_t from);

// The text's length in UTF-16 code units, as the desktop's toolkit counts it.
std::size_t utf16Length(std::string_view utf8);

// The longest start of the text that ends at the end of a character and is at most `units`
// UTF-16 code units long.
std::string_view startOfText(std::string_view utf8, std::size_t units);

} // namespace tallyfen
