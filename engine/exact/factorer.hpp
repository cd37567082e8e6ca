#pragma once
// Exact factoring of integer polynomials over the integers, in one variable
// or in several, behind one small interface. Plain C++ types only: the FLINT
// implementation (flint_factorer.hpp) keeps its types inside engine/exact/,
// and tests can put a fake behind the same interface.
//
// "Not available" (std::nullopt) whenever an answer cannot be given exactly
// in these types: an input that is not a valid polynomial, or a result whose
// numbers do not fit std::int64_t. Overflow is never silent.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace yinshi::exact {

// One variable: coefficients in ascending powers, [0] the constant term.
// Zero coefficients at the top are allowed on input and ignored; results have
// none.
using UniPoly = std::vector<std::int64_t>;

struct UniFactor {
    UniPoly poly;      // irreducible, degree >= 1, content 1, leading coefficient > 0
    int multiplicity;  // >= 1
    bool operator==(const UniFactor&) const = default;
};

// f = content * product of poly^multiplicity. The content carries the sign.
// Factors are distinct and ordered by degree, then by their coefficients from
// the leading one down (numerically ascending).
struct UniFactorization {
    std::int64_t content = 1;
    std::vector<UniFactor> factors;
    bool operator==(const UniFactorization&) const = default;
};

// Several variables: up to kMaxVariables, variable j is exponent slot j.
// Term order is lex with slot 0 the most significant: exponent vectors compare
// as std::array does, and a polynomial "in canonical order" lists its terms
// with strictly decreasing exponent vectors and no zero coefficients. Input
// terms may come in any order and may repeat an exponent vector (like terms
// are added); exponents must lie in 0..kMaxExponent.
inline constexpr int kMaxVariables = 7;
inline constexpr int kMaxExponent = 65535;
using Exponents = std::array<int, kMaxVariables>;

struct Term {
    std::int64_t coef;
    Exponents exp;
    bool operator==(const Term&) const = default;
};
using MultiPoly = std::vector<Term>;

struct MultiFactor {
    MultiPoly poly;    // irreducible, content 1, canonical order, first (leading) coefficient > 0
    int multiplicity;  // >= 1
    bool operator==(const MultiFactor&) const = default;
};

// f = content * product of poly^multiplicity. The content carries the sign.
// Monomial factors such as x appear as factors. Factors are distinct and
// ordered by total degree, then by their canonical term lists (exponent vector
// before coefficient, term by term, ascending).
struct MultiFactorization {
    std::int64_t content = 1;
    std::vector<MultiFactor> factors;
    bool operator==(const MultiFactorization&) const = default;
};

// Irreducible here means irreducible in Z[x...]: of degree >= 1 in some
// variable, content +-1, and no product of two polynomials of lower degree.
// So 2x + 2 and x^2 - 1 are not irreducible, x + 1 and -x - 1 are; constants
// and zero are not.
class Factorer {
public:
    virtual ~Factorer() = default;
    // Nullopt for the zero polynomial and when a number of the answer does not
    // fit std::int64_t. A constant gives its value as the content and no factors.
    virtual std::optional<UniFactorization> Factor(const UniPoly& f) const = 0;
    // Nullopt for the zero polynomial (after like terms are added), an exponent
    // outside 0..kMaxExponent, and when a number of the answer (the content
    // included, like terms may add up beyond std::int64_t) does not fit.
    virtual std::optional<MultiFactorization> Factor(const MultiPoly& f) const = 0;
    // Nullopt only when the answer cannot be had (an invalid exponent; a fake
    // that was not told about f). Coefficients beyond std::int64_t inside the
    // computation do not matter here.
    virtual std::optional<bool> IsIrreducible(const UniPoly& f) const = 0;
    virtual std::optional<bool> IsIrreducible(const MultiPoly& f) const = 0;
};

// Limits of exact factoring in the engine, from bench/exact_bench on the
// 2-core build machine. At degree 200 one factoring takes 10-15 ms for every
// family measured (random, products, x^n - 1, 1 + x + ... + x^n, products of
// cyclotomic polynomials); the slow cases are those with very many small
// factors: 1 + x + ... + x^119 about 0.2 s, x^240 - 1 over 1 s, while random
// inputs stay under 50 ms up to about degree 350. The images of polynomials
// in several letters reach degree 200, and even a slow factoring there costs
// less than the minutes the plain walk searches. FLINT cannot be interrupted,
// so beyond a limit the caller does not factor at all and falls back to the
// plain walk.
inline constexpr int kGuideMaxDegree = 200;      // one variable: the degree
inline constexpr int kGuideMaxTotalDegree = 60;  // several variables: the total degree
// In three letters or more, a polynomial of at most three terms costs far
// more than its total degree suggests: x^n - y^n - z^n took 0.5 s at n = 20,
// 4.3 s at 24, 22 s at 30 and 80 s at 40 (x^n + 2y^n - 3z^n, x^n + y^n + z^n
// + w^n and random polynomials of total degree 40 in 3 to 5 letters stayed
// under 20 ms).
inline constexpr int kFewTermsMaxTotalDegree = 20;
// x^n +- 1 and x^n +- y^n (times a constant) split into cyclotomic
// polynomials without a search: up to this degree.
inline constexpr int kMaxBinomialDegree = 10000;

// The highest total degree of f's terms (zero terms included); 0 for none.
int TotalDegree(const MultiPoly& f);

// Whether exact factoring may be asked about f: within these limits one call
// stays under about a second on the build machine.
bool WithinLimits(const UniPoly& f);
bool WithinLimits(const MultiPoly& f);
// Whether one call about f, within the limits, may take long enough to be
// seen (a tenth of a second or more on the build machine): the general
// factoring from one-letter degree kNoticeDegree, or several-letter total
// degree kNoticeTotalDegree, or in three letters or more with at most three
// terms from kNoticeFewTermsDegree; the closed forms never do.
inline constexpr int kNoticeDegree = 100;
inline constexpr int kNoticeTotalDegree = 30;
inline constexpr int kNoticeFewTermsDegree = 12;
bool MayTakeLong(const UniPoly& f);
bool MayTakeLong(const MultiPoly& f);

// ---- The search guide: divisors of a one-variable polynomial ----
//
// The divisors considered are the products of sub-multisets of the factors of
// a factorisation (the content left out), each with a positive leading
// coefficient; the signs are the caller's business. The factorisation must be
// as a Factorer returns it: factors distinct, each of degree >= 1 with
// multiplicity >= 1 (a factor of degree 0, a multiplicity below 1, or a total
// degree above 16384 makes the answers below empty and "not available").

// result[d] is true when a divisor of degree d exists; the size is the degree
// of the factored polynomial plus one (result[0] and the last are true).
std::vector<bool> DivisorDegrees(const UniFactorization& f);

struct DivisorList {
    std::vector<UniPoly> divisors;  // distinct, each of the asked degree
    bool capped = false;            // more divisors of that degree exist than were listed
};

// The distinct divisors of degree d, at most cap of them, in a fixed order:
// by the vector of multiplicities taken from each factor (in the factorisation's
// order), ascending lexicographically. Nullopt when a divisor that would be
// listed has a coefficient beyond std::int64_t (then the caller cannot use
// the list for that degree). An empty list when d is out of range or no
// divisor has degree d.
std::optional<DivisorList> DivisorsOfDegree(const UniFactorization& f, int d, std::size_t cap);

}  // namespace yinshi::exact
