#include "state/image_power.hpp"

#include <algorithm>

#include "platform/number_form.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

void ToExponents(int count, const std::array<std::int32_t, 8>& weights, int p, std::array<int, 8>& exps) {
    exps.fill(0);
    // Without a letter count the polynomial is still written in its first letter.
    count = std::clamp(count, 1, 7);
    if (p <= 0) return;
    for (int k = count; k >= 2; --k) {
        int w = weights[k];
        if (w <= 0) continue;  // no weight chosen for this letter: it takes no share
        exps[k] = p / w;
        p -= exps[k] * w;
    }
    exps[1] = p;
}

}  // namespace

ImageLetters LettersOf(const VarTable& vars) { return {vars.VarCount, vars.VarName, vars.VarWeight}; }

void ImagePowerToExponents(const ImageLetters& letters, int p, std::array<int, 8>& exps) {
    ToExponents(letters.count, letters.weights, p, exps);
}

void ImagePowerToExponents(const Engine& e, int p, std::array<int, 8>& exps) {
    ToExponents(e.vars.VarCount, e.vars.VarWeight, p, exps);
}

}  // namespace yinshi
