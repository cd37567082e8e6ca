#pragma once

namespace yinshi {

struct Engine;

// The checks of a complete assignment g0..gd, q0..qd (TrialFactor, PolyWork)
// at degree d = TrialDegree. Both compute the rest of the cofactor and end in
// the factor recording; true when the candidate was accepted there
// (MethodResult Kept or Split), false when it was rejected.

// g as the factor. `general`: the copy for g0 other than 1, which divides by g0.
bool DirectCheck(Engine& e, bool general);
// q0..qd as the factor and g as the low part of its cofactor; on acceptance
// TrialFactor holds the factor and PolyWork the cofactor (exchanged 0..n).
bool SwappedCheck(Engine& e);

}  // namespace yinshi
