#pragma once
// Whether the engine's transcript belongs to the polynomial the window handed off: the first
// line of jg.dat is the engine's echo of the polynomial it read, written in its own number
// forms ("x^ 3+ 9 x^ 2+ 26 x+ 24 " for x3+9x2+26x+24).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yinshi::frontend {

// The terms of a polynomial text in one spelling: lower case, no spaces, each term as its
// sign, its coefficient (none for 1) and its variables in alphabetical order with exponents
// above 1 after "^"; terms with a zero coefficient left out. Nothing when the text is not a
// plain sum of terms (parentheses, stray characters, an empty text).
std::optional<std::vector<std::string>> TermSpelling(std::string_view text);

// True when `echo` (jg.dat's first line) is the engine's echo of `handedOff` (DXS.DAT's text):
// both have a spelling and the two agree term by term, in order; for a text with parentheses,
// which the engine expands, the line begins with that text (blanks and case aside) and "=".
bool EchoIsOf(std::string_view echo, std::string_view handedOff);

}  // namespace yinshi::frontend
