#pragma once
#include "state/stage.hpp"

namespace yinshi {

struct Engine;

// Prints the prime factors of a0; when Eisenstein's criterion proves PolyCoef
// irreducible returns Finish (Stage 1) or CloseTranscript past its end marks
// (Stage 0); otherwise returns nothing.
Next EisensteinTest(Engine& e);

}  // namespace yinshi
