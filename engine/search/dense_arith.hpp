#pragma once
#include <array>
#include <optional>
#include <span>

#include "state/engine_state.hpp"

namespace yinshi {

struct Engine;

// Dense polynomials are coefficient vectors in ascending powers: p(0..deg).
// The kernels below read only their operands and write only their outputs;
// the arithmetic is the engine's 32-bit float arithmetic, in the order of
// operations the printed numbers depend on.

// quot = num / den, exact division without a remainder test. The quotient
// has degree top = numDeg - denDeg; its ends are num[0] / den[0] and
// num[numDeg] / den[denDeg], and the coefficients between come from the low
// end when the divisor is the shorter part (denDeg < top), else from the high
// end. Returns top; writes quot(0..top) only when top >= 0 and denDeg >= 0.
// Preconditions (asserted in debug builds): 0 <= numDeg < num.size(),
// denDeg < den.size(), and quot.size() > top when quot is written. quot does
// not overlap num or den.
int DivideExact(std::span<const float> num, int numDeg, std::span<const float> den, int denDeg, std::span<float> quot);
// quot(0..top) = num / g from the low end, without a remainder test:
// quot(0..top-1) from num's low coefficients, quot(top) = num[numDeg] /
// g[gDeg]. Writes nothing when top < 0.
// Preconditions (asserted in debug builds), for top >= 0: 0 <= gDeg <
// g.size(), 0 <= numDeg < num.size(), top - 1 < num.size(), quot.size() >
// top. quot does not overlap num or g.
void DivideFromLowEnd(std::span<const float> num, int numDeg, std::span<const float> g, int gDeg, int top,
                      std::span<float> quot);
// out(0..aDeg+bDeg) = a(0..aDeg) * b(0..bDeg).
// Preconditions (asserted in debug builds): 0 <= aDeg < a.size(), 0 <= bDeg <
// b.size(), out.size() > aDeg + bDeg. out does not overlap a or b.
void MultiplyDense(std::span<const float> a, int aDeg, std::span<const float> b, int bDeg, std::span<float> out);
// Is g(0..gDeg) * q(0..n-gDeg) = a(0..n)? x^(n-1)..x^(n-gDeg+1) are compared
// first in float sums, then the whole product exactly (ProductEquals).
// Preconditions (asserted in debug builds): 0 <= gDeg <= n, n < a.size(),
// gDeg < g.size(), n - gDeg < q.size().
bool ProductMatches(std::span<const float> g, int gDeg, std::span<const float> q, int n, std::span<const float> a);
// The highest exponent of every variable 1..VarCount (index 0 and the
// variables past VarCount: 0) over the non-zero coefficients of
// coefs(0..degree) read as image powers shift + k.
// Preconditions (asserted in debug builds): 0 <= degree < coefs.size().
std::array<float, 8> DenseMaxExponents(const Engine& e, std::span<const float> coefs, int degree, int shift);

// Checks g*q (TrialFactor(0..d); PolyWork) against PolyCoef(0..Degree)
// with ProductMatches: rejected on a mismatch, otherwise what AcceptFactor
// makes of it.
CheckResult VerifyUpperCoefficients(Engine& e, int d);
// Records a verified factor TrialFactor(0..d) with its cofactor PolyWork:
// split off, or kept in the store for a later combination.
CheckResult AcceptFactor(Engine& e, int d);
// A shift that makes an image split one in every variable, and q's highest
// exponent of each variable 1..VarCount at that shift (past them, VarMaxExp's).
struct DegreeFit {
    int Shift = 0;
    std::array<float, 8> CofactorHighest{};
};
// Is the image split f = g*q one in every variable? Tries the shifts s = 0,
// 1, .., LowExp of g's image powers (q takes LowExp - s) until the highest
// exponents of g and q add up to VarMaxExpKeep in every variable; none when
// no shift fits.
// Preconditions (asserted in debug builds): 0 <= gDeg < g.size(), 0 <= qDeg <
// q.size().
std::optional<DegreeFit> FitDegreeSplit(Engine& e, std::span<const float> g, int gDeg, std::span<const float> q,
                                        int qDeg);
// FitDegreeSplit of TrialFactor(0..found) and PolyWork(0..cofactor): a
// split at the shift found, or kept.
CheckResult SplitIfInEveryLetter(Engine& e, int found, int cofactor);
// The factor-combination client's per-subset step: divide and test. The
// split when it is one (the store then holds the `chosen` stored factors, in
// that order); otherwise PolyWork(0..Degree) is the reduced polynomial again.
// The product of the chosen factors is PolyWork(0..prodDeg).
std::optional<FoundSplit> CombinationDivideAndTest(Engine& e, std::span<const int> chosen, int prodDeg);
// The combination client's per-item step: the running product PolyWork(0..
// prodDeg) times stored factor `item`, which is left in TrialFactor. Returns
// the product's degree.
int CombinationMultiplyItem(Engine& e, int item, int prodDeg);
// Trial division by the image of the sum of the variables (VarWeight), with
// constant term +1 and then -1; the split when a factor was found. Leaves
// TrialDegree at the divisor's degree.
std::optional<FoundSplit> TrySumOfVariables(Engine& e);
// VarMaxExpKeep(v) = highest TermExp(i, v) over terms 1..MaxTerms.
void KeepMaxExponents(Engine& e);
// Removes the variables whose VarMaxExp is 0, closing the gaps.
void DropAbsentVariables(Engine& e);

}  // namespace yinshi
