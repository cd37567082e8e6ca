#pragma once
#include <limits>
#include <span>

#include "state/engine_state.hpp"

namespace yinshi {

struct Engine;

// Shared by the product arithmetic and the display of a further solution.

// VarCount as a column bound of the exponent tables.
int FurtherVarCount(const Engine& e);
// Whether terms a and b of the term table have one monomial.
bool SameMonomial(const Engine& e, int a, int b);
// Rows of a term list: coefficients and exponents, counted from 1.
struct ConstTermRows {
    std::span<const float> Coef;
    const FloatGrid& Exp;
};
struct TermRows {
    std::span<float> Coef;
    FloatGrid& Exp;
};
inline constexpr int kKeepAllColumns = std::numeric_limits<int>::max();
// Rows 1..count of `from` into `to`, over the exponent columns both grids
// have; a column past keepVars is cleared, so that a variable met later never
// inherits a stale exponent.
void CopyTerms(ConstTermRows from, TermRows to, int count, int keepVars);
// Term table := rows 1..count of `from` (the reference or the running product).
void LoadTermTable(Engine& e, ConstTermRows from, int count);

}  // namespace yinshi
