#pragma once
#include <span>

namespace yinshi {

struct Engine;

// TrialFactor(0..QuotMid+1) = PolyKeep(0..DegreeKeep) / PolyWork(0..ProdDegree),
// from the low end when the divisor is the shorter part, else from the high
// end. No remainder test.
void DivideKeepByWork(Engine& e);
// PolyWork(0..QuotMid+1) = PolyKeep / TrialFactor(0..TrialDegree), low end;
// the caller sets QuotMid to the quotient degree minus 1.
void DivideKeepByFactor(Engine& e);
// PolyWork(0..ProdDegree) times stored factor `item`; the factor is left in
// TrialFactor.
void MultiplyStoredFactor(Engine& e, int item);
// Checks x^(n-1)..x^(n-d+1) of g*q (TrialFactor, TrialDegree; PolyWork) against
// PolyCoef(0..Degree), then the whole product exactly; MethodResult Rejected
// on a mismatch, otherwise runs AcceptFactor.
void VerifyUpperCoefficients(Engine& e);
// Records a verified factor: MethodResult Split (a factor) or Kept (in the
// store for a later combination). Leaves FoundDeg and CofactorDeg for the
// factor report.
void AcceptFactor(Engine& e);
// Is the split cofactor PolyWork(0..CofactorDeg) times factor
// TrialFactor(0..FoundDeg) one in every variable? MethodResult Split with
// SplitShift = the main-variable power given to the factor, else 2.
void CheckDegreeSplit(Engine& e);
// The factor-combination client's per-subset step: divide and test. True on
// success (the store then holds the `chosen` stored factors, in that order);
// on failure PolyWork and ProdDegree are the reduced polynomial again.
bool CombinationDivideAndTest(Engine& e, std::span<const int> chosen);
// The combination client's per-item step (MultiplyStoredFactor).
void CombinationMultiplyItem(Engine& e, int item);
// Trial division by the image of the sum of the variables (VarWeight), with
// constant term +1 and then -1; MethodResult Split when a factor was found.
void TrySumOfVariables(Engine& e);
// VarTabA(v) = highest TermExp(i, v) over terms 1..MaxTerms.
void MaxExponents(Engine& e);
// MaxExponents, copied to VarMaxExpKeep.
void KeepMaxExponents(Engine& e);
// Terms (exponents of every variable) of the non-zero coefficients of
// VarOrder(0..PrintDegree) read as image powers PrintShift + k, highest first;
// sets MaxTerms, then MaxExponents.
void DenseExponents(Engine& e);
// Removes the variables whose VarMaxExp is 0, closing the gaps.
void DropAbsentVariables(Engine& e);

}  // namespace yinshi
