#pragma once
// The terms of a polynomial as the transcript writes them, in the echo ("x^ 3+ 9 x^ 2+ 26 x+ 24 ")
// and in every factor of a product line ("3x^ 2 - 2/ 5 y"), and as they are typed ("x3+9x2").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yinshi {

// A letter of a term and the digits of its exponent ("" when none is written).
struct WrittenPower {
    char letter;
    std::string_view exponent;
};

// One term as written; the digits are views into the text read.
struct WrittenTerm {
    bool negative = false;
    std::string_view number;           // the digits of its number, "" when it shows none
    std::string_view denominator;      // the digits after "/", "" when it is no fraction
    std::vector<WrittenPower> powers;  // in the order written; a letter may come again
};

// The text without blanks (spaces, tabs and line ends), which may stand anywhere in it.
std::string WithoutBlanks(std::string_view text);

// The terms of a plain sum of terms written without blanks: each an optional sign, an
// optional whole number (with "/" and a denominator when it has one), and lower-case
// letters each with an optional exponent, after a "^" or right after the letter ("x^2" and
// "x2" alike); a term shows a number or a letter, and
// the next one starts at a sign. Nullopt for anything else: an empty text, parentheses, a
// stray character, a "^" or "/" without digits.
std::optional<std::vector<WrittenTerm>> ReadWrittenTerms(std::string_view text);

}  // namespace yinshi
