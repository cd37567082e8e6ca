#pragma once
// The reader of a polynomial written as students write it: sums, products and
// powers of parenthesised groups, a number or fraction before a group. It
// expands exactly, and when it cannot read the text it says what and where.
#include <cstddef>
#include <string>
#include <string_view>

#include "mainline/exact_poly.hpp"

namespace yinshi {

enum class ReadProblem {
    None,
    Character,        // a character that has no place there
    Unbalanced,       // a parenthesis without its partner
    ExponentMissing,  // "^" with no number after it
    BadExponent,      // 0, a leading zero, or past 9,999,999
    NumberForLetter,  // a number right after a letter's power or a group
    SignWithoutTerm,  // "+" or "-" with no term after it
    TermMissing,      // an empty text or group
    ZeroCoefficient,  // a coefficient that is zero
    ZeroDenominator,  // "/" with no number, or zero, after it
    SecondBar,        // a second "/" in one number
    TooManyFactors,   // more than six letter factors in one term
    TooManyLetters,   // an eighth letter
    PowerTooHigh,     // a letter's power in one term past 9,999,999
    // The expansion's own limits, not a fault of the text.
    ExpansionTooBig,
    ExpansionTooManyTerms,
    ExpansionPowerTooHigh,
};

struct ExpressionRead {
    ReadProblem problem = ReadProblem::None;
    std::size_t position = 0;  // the character's place in the text, from 1; 0 for the whole text
    std::string character;     // the character there (whole, for one of several bytes); "" at the end
    ExactPoly poly;
    std::string letters;  // in the order of their first appearance
};

// Reads a whole text (blanks ignored, letters in either case).
ExpressionRead ReadExpression(std::string_view text);

// The polynomial in the engine's own spelling ("a^2+2ab+b^2-4a-4b+4"): terms by
// falling total degree, then by the letters' order; each coefficient in lowest
// terms. Empty for the zero polynomial.
std::string SpellExpansion(const ExactPoly& p, const std::string& letters);

// The expansion's limits as start-up applies them to a typed polynomial: at
// most 20 terms, numbers within 9,999,999, at most six letters in a term.
ReadProblem ExpansionLimits(const ExactPoly& p);

}  // namespace yinshi
