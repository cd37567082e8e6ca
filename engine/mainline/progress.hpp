#pragma once
#include "state/engine.hpp"

namespace yinshi {

// The time limit and the two-minute rule count from now.
void RestartSearchClock(Engine& e);

void ShowStatusLine(Engine& e);

// Eisenstein's test on the constant term, its primes shown; when a prime
// proves the polynomial irreducible, where the run closes: Finish after a
// factor was found, else the closing without end marks.
Next EisensteinStage(Engine& e);

}  // namespace yinshi
