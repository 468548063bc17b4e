#pragma once
// The caret notation of DXF strings: a control character is "^" and the character
// 64 above it ("^J" a line feed, "^I" a tab, "^?" the delete character), and a
// caret itself is "^ ", so that no text breaks the drawing's line structure.

#include <string>
#include <string_view>

// The bytes with every control character and caret in caret notation.
std::string EncodeDxfCarets(std::string_view bytes);

// The bytes of a text in caret notation. A caret followed by anything else (a
// lower-case letter, a digit) or ending the text is a caret.
std::string DecodeDxfCarets(std::string_view text);
