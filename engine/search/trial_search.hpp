#pragma once
#include "mainline/stage.hpp"

namespace yinshi {

struct Engine;

// Sets g0, q0 and the walking steps for divisor pair DivisorIdx.
void SetUpDivisorPair(Engine& e);
// Runs the search at TrialDegree from position SearchPos with the current pair.
// Returns SearchEnd (stopped, or degree exhausted with nothing saved),
// NextDegree (exhausted with a saved candidate), FactorReport (factor
// accepted) or AfterFactor (MethodResult 2, FirstDegree set).
At TrialFactorSearch(Engine& e);
// Restores the first complete candidate of the degree just finished.
void RestoreSavedSearch(Engine& e);

}  // namespace yinshi
