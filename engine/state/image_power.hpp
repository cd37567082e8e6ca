#pragma once
#include <array>

namespace yinshi {

struct Engine;

// A polynomial in several variables is searched as its one-variable image,
// where a term's power is the weighted sum of its exponents (VarWeight, with
// VarWeight(1) = 1). This turns an image power p back into the exponent of
// every variable 1..VarCount of the current order, from the last variable
// down; exps[0] and the entries past VarCount are 0. For one variable,
// exps[1] = p. A power below 0 gives all zeros.
void ImagePowerToExponents(const Engine& e, int p, std::array<int, 8>& exps);

}  // namespace yinshi
