#pragma once
// A reader of polynomial text written for the tests alone, from the rules a
// student is told, sharing nothing with the engine's parser: what a text
// denotes, or why the engine must refuse it.
#include <map>
#include <string>

namespace yinshi::testing {

__extension__ using Wide = __int128;

// A reduced fraction with a positive denominator.
struct Fraction {
    Wide num = 0;
    Wide den = 1;
    bool operator==(const Fraction&) const = default;
};

using Powers = std::map<char, long long>;  // letter -> power, none zero
using RationalPoly = std::map<Powers, Fraction>;

// TooBig and TooManyTerms also stand for an expansion past those limits;
// PowerTooHigh only for an expansion; Unknown where the tests' own arithmetic
// would grow too large to say.
enum class Verdict { InputError, TooManyTerms, TooBig, PowerTooHigh, Unknown, Read };

struct Reading {
    Verdict verdict = Verdict::InputError;
    RationalPoly poly;  // when read
};

// The text as the window hands it over (letters in either case, no blanks;
// blanks are dropped, so that the engine's echo reads back too), parentheses
// expanded.
Reading ReadReference(const std::string& text);

std::string Show(const RationalPoly& p);

// Exact arithmetic on these polynomials, for the tests' own expansions.
Fraction MakeFraction(Wide num, Wide den);
void AddTerm(RationalPoly& p, const Powers& powers, const Fraction& c);
RationalPoly Times(const RationalPoly& a, const RationalPoly& b);

}  // namespace yinshi::testing
