#include "state/image_power.hpp"

#include <algorithm>

#include "platform/number_form.hpp"
#include "state/engine.hpp"

namespace yinshi {

void ImagePowerToExponents(const Engine& e, int p, std::array<int, 8>& exps) {
    exps.fill(0);
    // Without a variable count the polynomial is still written in its first letter.
    int count = std::clamp(e.vars.VarCount, 1, 7);
    if (p <= 0) return;
    for (int k = count; k >= 2; --k) {
        int w = e.vars.VarWeight[k];
        if (w <= 0) continue;  // no weight chosen for this variable: it takes no share
        exps[k] = p / w;
        p -= exps[k] * w;
    }
    exps[1] = p;
}

}  // namespace yinshi
