#pragma once
// A polynomial with rational coefficients held exactly, for expanding what a
// student writes with parentheses before the engine's floats ever see it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>

namespace yinshi {

__extension__ using Wide = __int128;
using Powers = std::array<std::int32_t, 26>;  // the power of each letter a-z

// Integer numerators over one positive common denominator, in lowest terms;
// no zero numerator is stored, so the zero polynomial has no terms.
struct ExactPoly {
    std::map<Powers, Wide> terms;
    Wide den = 1;
};

// Why an operation could not be carried out exactly: a 128-bit number would
// overflow, the work would hold more than kMaxWorkTerms terms, or a power
// would pass kMaxPower.
enum class Grew { Fine, NumbersTooBig, TooManyTerms, PowerTooHigh };

constexpr std::size_t kMaxWorkTerms = 400;
constexpr std::int32_t kMaxPower = 9999999;
// Numbers as written saturate here, far below where products overflow.
constexpr Wide kMaxWritten = Wide(1000000000) * 1000000000 * 10;

// num/den (den > 0); the letter (0 for a) to a power.
ExactPoly ExactConstant(Wide num, Wide den);
ExactPoly ExactLetter(int letter, std::int32_t power);

// a = a + b, or a - b. On anything but Fine the value of a is unspecified.
Grew AddTo(ExactPoly& a, const ExactPoly& b, bool subtract);
// a = a * b; a = a^n for n >= 1.
Grew MultiplyInto(ExactPoly& a, const ExactPoly& b);
Grew RaiseTo(ExactPoly& a, std::int64_t n);

}  // namespace yinshi
