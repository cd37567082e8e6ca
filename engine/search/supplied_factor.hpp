#pragma once
// Past a fixed amount of walking for one polynomial the walk is not worth
// going on with blind: the exact factorisation already knows its divisors.
// The factor is then taken from there, as the walk would have met it, and
// goes through the same checks and recording as a factor the walk found.
#include "exact/factorer.hpp"
#include "state/stage.hpp"

namespace yinshi {

struct Engine;

// Positions the walk may enter for one polynomial under exact factoring: a
// few tenths of a second of walking on the build machine. Counted, not
// timed, so that a run ends the same way on every machine.
inline constexpr long long kPositionBudget = 1LL << 21;

// The walk has spent its budget at trial degree TrialDegree of PolyCoef. Of
// the divisors the walk could accept (trial degree upwards, lowest first;
// within a degree the largest constant term first, as the walk takes its
// pairs), the first that the checks accept is recorded as the walk records
// one: FactorReport for a split, AfterFactor for a candidate kept (several
// letters), the degrees passed printed as progress. `factors` is the
// factorisation of PolyCoef, null where none could be had: then, and where no
// divisor is left, the search ends as when its degrees are exhausted
// (SearchEnd), and ExactEnded is set.
Step SupplyFactor(Engine& e, const exact::UniFactorization* factors);

}  // namespace yinshi
