#pragma once
// x^n - 1, x^n + 1 and their two-letter forms x^n - y^n, x^n + y^n, times a
// constant, split into cyclotomic polynomials: no factoring search is needed,
// so these are answered at once at degrees where the general factoring would
// take seconds or minutes. Unsorted; the caller orders the factors.
#include <optional>

#include "exact/factorer.hpp"

namespace yinshi::exact::detail {

// c x^n + c s with s = +-1 and n >= 1: n, and s in `sign`.
std::optional<int> UnitBinomialDegree(const UniPoly& f, int* sign = nullptr);
// a X^n + b Y^n in two distinct slots, or a X^n + b; |a| = |b|, n >= 1.
std::optional<int> UnitBinomialDegree(const MultiPoly& f);

// The factorisation of such a binomial; nullopt for any other polynomial or
// a coefficient past std::int64_t.
std::optional<UniFactorization> BinomialFactors(const UniPoly& f);
std::optional<MultiFactorization> BinomialFactors(const MultiPoly& f);

// Irreducible: x^n - 1 only for n = 1, x^n + 1 only for n a power of 2.
std::optional<bool> BinomialIrreducible(const UniPoly& f);
std::optional<bool> BinomialIrreducible(const MultiPoly& f);

}  // namespace yinshi::exact::detail
