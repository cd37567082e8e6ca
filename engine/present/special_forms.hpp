#pragma once
#include "state/stage.hpp"

namespace yinshi {

struct Engine;

// Each returns Restart after a match (new term table, gsys file written) and
// nothing, with nothing changed or printed, when the pattern does not match.
Next SquareOfBinomial(Engine& e);
Next DifferenceOfSquares(Engine& e);
Next SumOfCubes(Engine& e);

}  // namespace yinshi
