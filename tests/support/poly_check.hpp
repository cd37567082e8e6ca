#pragma once
#include <array>
#include <map>
#include <optional>
#include <string>

namespace yinshi::testing {

// An exact polynomial with integer coefficients in the letters a-z, for
// checking that printed factorisations multiply back to their input.
using Monomial = std::array<int, 26>;
using Poly = std::map<Monomial, long long>;

// Reads a sum of terms such as "-3x^2y+ 4 x- 1" (blanks ignored). Nullopt
// when the text is not of that shape.
std::optional<Poly> ParsePoly(const std::string& text);
Poly Multiply(const Poly& a, const Poly& b);
std::string ToString(const Poly& p);

// The product written on the last factor line of a transcript: the text after
// the last "=" of the last line that holds a "(", as a content prefix
// (sign, integer, monomial) followed by parenthesised factors, "^2" allowed.
// Nullopt when there is no such line, or a fraction is in the content and
// `denominator` is not given to receive its denominator (the product returned
// is then the line times it).
std::optional<Poly> TranscriptProduct(const std::string& jg, long long* denominator = nullptr);

}  // namespace yinshi::testing
