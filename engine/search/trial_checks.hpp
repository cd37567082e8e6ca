#pragma once
#include "state/engine_state.hpp"

namespace yinshi {

struct Engine;

// The checks of a complete assignment g0..gd, q0..qd (TrialFactor, PolyWork)
// at degree d. Both compute the rest of the cofactor and end in the factor
// recording, which keeps the candidate or splits it off; the candidate is
// rejected where they fail.

// g as the factor. `general`: the copy for g0 other than 1, which divides by g0.
CheckResult DirectCheck(Engine& e, int d, bool general);
// q0..qd as the factor and g as the low part of its cofactor; on acceptance
// TrialFactor holds the factor and PolyWork the cofactor (exchanged 0..n).
CheckResult SwappedCheck(Engine& e, int d);

}  // namespace yinshi
