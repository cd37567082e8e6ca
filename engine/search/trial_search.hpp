#pragma once
#include "state/stage.hpp"

namespace yinshi {

struct Engine;

// Sets g0 = TrialFactor(0) = DivisorA(DivisorIdx), q0 = PolyWork(0) =
// DivisorB(DivisorIdx) and the walking steps: StepGcd = gcd(|g0|, |q0|),
// CoefStep = g0 / StepGcd, QuotStep = q0 / StepGcd (q0 keeps its sign).
void SetUpDivisorPair(Engine& e);

// The search for a factor of degree d = TrialDegree of PolyCoef(0..Degree).
//
// Before the call the driver has set:
//   PolyCoef(0..n), Degree = n (a0 != 0, an != 0), 1 <= d <= n/2;
//   DivisorA/DivisorB(1..DivisorCount-1): the pairs (t, a0/t) for t = |a0|
//     down to 1, and DivisorCount = number of pairs + 1;
//   DivisorIdx and the pair set up by SetUpDivisorPair (or restored by
//     RestoreSavedSearch);
//   SearchPos: the position to enter, 1 at a search start, as left by
//     RestoreSavedSearch when a degree resumes from the saved candidate;
//   CoefBound(1..d), Bound2, LeadAbs = |an|; StateSaved (0 at a search start
//     and at each change of degree); Skipped and StartDegree (the jump to
//     the top degree); the poller, keys and clock for SearchMustStop.
//
// Returns where the run continues:
//   SearchEnd    stopped by a key or the time limit (StopReason set by the
//                poll), or every pair used without a complete candidate;
//   NextDegree   every pair used; SearchSave holds the first complete
//                candidate of this degree (StateSaved = 1);
//   FactorReport a factor split off, handed over with the split: TrialFactor
//                the factor, PolyWork the cofactor, Degree and PolyCoef
//                already the cofactor's (one variable);
//   AfterFactor  the factor recording kept the candidate (several variables)
//                and there was no jump; FirstDegree = d.
// TrialDegree is d on every return; SearchPos is the position reached.
Step TrialFactorSearch(Engine& e);

// Restores the first complete candidate of the degree just finished
// (SearchSave and the Keep arrays): SearchPos = that degree + 1, the steps,
// q0..qd, g0..gd, the walking state and DivisorIdx; clears StateSaved. The
// driver then raises TrialDegree by 1 and calls TrialFactorSearch again.
void RestoreSavedSearch(Engine& e);

}  // namespace yinshi
