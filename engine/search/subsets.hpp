#pragma once
#include <array>

#include "state/engine_state.hpp"

namespace yinshi {

struct Engine;

// The variable order kept: its score, the spread of the image exponents (the
// image's degree), and for each place 1..k the letter number and its weight.
struct VariableOrder {
    float spread = kCoefLimit;
    std::array<float, kMaxVars + 1> order{};
    std::array<float, kMaxVars + 1> weight{};
};

// Groups of the stored factors but the newest (the first n of them), smallest
// groups first, each multiplied into PolyWork, which holds the reduced
// polynomial. The first group whose product splits the kept polynomial ends
// the walk with that split, the store holding that group and PolyWork its
// product; otherwise the candidate stays kept and PolyWork is the reduced
// polynomial again. `degree` is the trial degree, which b shows.
CheckResult CombineStoredFactors(Engine& e, int n, int degree);
// Writes the pl files for `count` variables and, unless a file failed (then
// e.fault is set and the order returned means nothing), returns the order
// whose image spreads least.
VariableOrder OrderVariables(Engine& e, int count);
// Writes pl1/pl2 with every permutation of 1..k; PlOut names the complete one.
void BuildPlFiles(Engine& e, int k);
// Scores every order of the complete pl file and returns the one whose image
// spreads least; the term table's image exponents and the degree are that
// order's.
VariableOrder ChooseVariableOrder(Engine& e);

}  // namespace yinshi
