#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace yinshi {

// Text form: a sign position (a blank for values >= 0, "-" otherwise) and the
// number. Integers below 10^8 are written in full; every other value as the
// shortest decimal that reads back to the same 32-bit value, without a leading
// zero before the point (".5"), and in E form from 10^8 up ("1.2345679E+08").
std::string TextForm(float v);
// Item form: the text form and one trailing blank, as a console print item.
std::string ItemForm(float v);

// The number at the start of a text: leading blanks skipped, then the longest
// prefix that forms a decimal number (optional sign, digits, optional point and
// digits). No number reads as 0.
float ReadNumber(std::string_view text);
// The same, also telling how many characters the number took (blanks included);
// 0 when there was no number.
float ReadNumber(std::string_view text, std::size_t& used);

// Integer conversion: round to nearest, halves to even (2.5 -> 2, 3.5 -> 4).
std::int32_t RoundHalfEven(double v);

// x counts as an integer when x = floor(x).
inline bool IsWhole(float v) { return std::floor(v) == v; }
inline bool IsWhole(double v) { return std::floor(v) == v; }

}  // namespace yinshi
