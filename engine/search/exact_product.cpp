#include "search/exact_product.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "state/engine_state.hpp"

namespace yinshi {

namespace {

__extension__ typedef __int128 Wide;

bool Holdable(const float* v, int deg) {
    for (int i = 0; i <= deg; ++i)
        if (!(std::fabs(v[i]) <= kExactLimit) || std::floor(v[i]) != v[i]) return false;
    return true;
}

}  // namespace

bool ProductEquals(const float* f, int df, const float* c, int dc, const float* a) {
    if (df < 0 || dc < 0) return false;
    const int n = df + dc;
    if (!Holdable(f, df) || !Holdable(c, dc) || !Holdable(a, n)) return false;
    for (int k = 0; k <= n; ++k) {
        Wide sum = 0;
        for (int i = std::max(0, k - dc); i <= std::min(k, df); ++i)
            sum += static_cast<Wide>(static_cast<std::int64_t>(f[i]) * static_cast<std::int64_t>(c[k - i]));
        if (sum != static_cast<Wide>(static_cast<std::int64_t>(a[k]))) return false;
    }
    return true;
}

}  // namespace yinshi
