#pragma once

namespace yinshi {

struct Engine;

// Shared by the product arithmetic and the display of a further solution.

// VarCount as a column bound of the exponent tables.
int FurtherVarCount(const Engine& e);
// Whether terms a and b of the term table have one monomial.
bool SameMonomial(const Engine& e, int a, int b);
// Term table := the reference D (coefficients in TrialFactor, exponents in RefExp).
void LoadReferenceTerms(Engine& e);
// Term table := the running product.
void LoadProductTerms(Engine& e);

}  // namespace yinshi
