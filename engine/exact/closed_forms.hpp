#pragma once
// Polynomials whose factorisation is known without a factoring search, past
// the degrees where FLINT could take seconds or minutes and cannot be
// stopped: products of cyclotomic polynomials in a power of x, sums of terms
// in letters of their own, and two-letter forms homogeneous in their letters.
// Each answer is exact; nullopt where the form does not apply or a number
// does not fit std::int64_t.
#include <optional>

#include "exact/factorer.hpp"

namespace yinshi::exact::detail {

// f = x^v g(x^k) of degree within kMaxBinomialDegree, with g of degree
// within kGuideMaxDegree or a cyclotomic polynomial times a constant.
bool CyclotomicPowerForm(const UniPoly& f);
// For such an f: g factored by `general` (or at once when cyclotomic), and
// each cyclotomic factor Phi_m(x^k) split into cyclotomic polynomials in x.
// Nullopt when k > 1 and g has a factor that is not cyclotomic (then only a
// factoring of f itself could say more) or f is not of the form.
std::optional<UniFactorization> CyclotomicPowerFactors(const UniPoly& f, const Factorer& general);

// Three or more terms, no two sharing a letter (x^30 - y^30 z^30 - 1): such a
// polynomial less its content is irreducible. Written c M + G with M holding
// a letter x that no other term has, G has no repeated factor (a repeated
// factor would divide every derivative of G, each a single term, so it would
// be a letter, and no letter divides every term of G), so Eisenstein's
// criterion with any prime factor of G applies over the complex numbers.
bool HasDisjointTerms(const MultiPoly& f);
std::optional<MultiFactorization> DisjointTermsFactors(const MultiPoly& f);

// A polynomial in exactly two letters whose terms all have one total degree:
// f(x, 1) in one letter (x the more significant slot) once the lowest power
// of y is taken out; its factors, made homogeneous again, are f's.
struct TwoLetterForm {
    UniPoly dehomogenized;  // f(x, 1) / y^yPower, of degree equal to f's total degree less yPower
    int xSlot = 0;
    int ySlot = 0;
    int yPower = 0;
};
std::optional<TwoLetterForm> HomogeneousInTwoLetters(const MultiPoly& f);
MultiFactorization Homogenized(const UniFactorization& parts, const TwoLetterForm& form);

}  // namespace yinshi::exact::detail
