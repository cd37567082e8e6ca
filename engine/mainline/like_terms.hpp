#pragma once
#include <vector>

#include "state/engine_state.hpp"

namespace yinshi {

// Merges like terms of coef[1..n] into the first of each kind, then moves the
// terms left up over the zeros, keeping their order. `same(a, b)` says whether
// terms a and b have one monomial; `moveExponents(to, from)` copies a term's
// exponents. The coefficients' own type does the sums: start-up merges in
// exact integers and the further solutions in the engine's floats, each in
// this one order.
template <class Coef, class Same, class MoveExponents>
void MergeLikeTerms(std::vector<Coef>& coef, int n, Same same, MoveExponents moveExponents) {
    for (int i = 1; i < n; ++i) {
        if (coef[i] == 0) continue;
        for (int k = i + 1; k <= n; ++k) {
            if (coef[k] == 0 || !same(i, k)) continue;
            coef[i] += coef[k];
            coef[k] = 0;
        }
    }
    for (int i = 1; i < n; ++i) {
        if (coef[i] != 0) continue;
        int k = i + 1;
        while (k <= n && coef[k] == 0) ++k;
        if (k > n) break;
        coef[i] = coef[k];
        moveExponents(i, k);
        coef[k] = 0;
    }
}

// After merging, the terms end at the first zero.
void DropZeroTerms(TermTable& t);

}  // namespace yinshi
