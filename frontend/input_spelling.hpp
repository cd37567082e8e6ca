#pragma once
// Polynomial text as students paste it from a homework sheet or type it with a Chinese input
// method, turned into the program's own spelling before the alphabet check sees it. Plain C++,
// no Qt: the web page compiles it as well.
#include <string>
#include <string_view>

namespace yinshi::frontend {

// Superscript digits become "^" and the digits (one "^" for a run, none after a "^" already
// written); the minus sign and the dashes used for it become "-", the fraction and division
// slashes "/"; full-width forms of letters, digits and "/ ^ + - ( )" become their ASCII forms.
// Spaces and multiplication signs (the middle dot, "×", the dot operator) are left out where
// leaving them out keeps the meaning: never before a digit that follows a letter, a digit or
// ")" ("2 3" and "x·2" would turn into other numbers and powers). Every other character is
// kept as it is, for the check to refuse. Text already in the program's spelling comes back
// unchanged, and turning a result again changes nothing.
std::u16string ToProgramSpelling(std::u16string_view pasted);

// Characters that read as a space, and as a multiplication sign ("*" included).
bool IsSpaceLike(char32_t c);
bool IsTimesSign(char32_t c);

}  // namespace yinshi::frontend
