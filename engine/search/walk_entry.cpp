#include "search/walk_entry.hpp"

namespace yinshi {

namespace {

std::int64_t Mod(std::int64_t a, std::int64_t m) {
    const std::int64_t r = a % m;
    return r < 0 ? r + m : r;
}

// x with a x = 1 modulo m, for a and m coprime: for a small m by trying the
// multiples of a in turn, which costs less than the divisions of Euclid.
std::int64_t Inverse(std::int64_t a, std::int64_t m) {
    const std::int64_t step = Mod(a, m);
    if (m <= 64) {
        std::int64_t x = step;
        for (std::int64_t k = 1; k < m; ++k) {
            if (x == 1) return k;
            x += step;
            if (x >= m) x -= m;
        }
        return 0;
    }
    std::int64_t r0 = m, r1 = step, s0 = 0, s1 = 1;
    while (r1 != 0) {
        const std::int64_t k = r0 / r1;
        const std::int64_t r2 = r0 - k * r1;
        const std::int64_t s2 = s0 - k * s1;
        r0 = r1;
        r1 = r2;
        s0 = s1;
        s1 = s2;
    }
    return Mod(s0, m);
}

bool Whole(float v) { return walk_detail::WithinExact(v) && std::floor(v) == v; }

}  // namespace

PairSteps MakePairSteps(float g0, float q0, float h, float cs, float qs) {
    PairSteps p;
    p.whole = Whole(g0) && Whole(q0) && Whole(h) && Whole(cs) && Whole(qs) && g0 >= 1 && h >= 1 && cs >= 1 && q0 != 0;
    if (!p.whole) return p;
    p.g0 = static_cast<std::int64_t>(g0);
    p.q0 = static_cast<std::int64_t>(q0);
    p.h = static_cast<std::int64_t>(h);
    p.cs = static_cast<std::int64_t>(cs);
    p.qs = static_cast<std::int64_t>(qs);
    p.csInverse = 1.0 / static_cast<double>(p.cs);
    p.hInverse = 1.0 / static_cast<double>(p.h);
    // The steps are g0 and q0 over their gcd, so coprime.
    p.whole = p.cs * p.h == p.g0 && p.qs * p.h == p.q0;
    if (p.whole && p.cs > 1) p.inverse = Inverse(p.qs, p.cs);
    return p;
}

Entry EnterBandStepping(float& gj, float& qj, float cs, float qs, float tb, float bound2) {
    const float m = std::fabs(qj);
    float g = gj + cs;
    float q = qj - qs;
    if (std::fabs(q) > m) return Entry::None;  // the line leaves the band
    // Steps k = 1, 2, ... with g = gj + k cs up to tb: the first whose q is
    // inside the band, the floats' rounding included.
    if (g > tb) return Entry::None;
    if (std::fabs(q) <= bound2) {
        gj = g;
        qj = q;
        return Entry::Inside;
    }
    const std::int64_t steps = static_cast<std::int64_t>(tb - g) / static_cast<std::int64_t>(cs);
    const std::int64_t k = FirstWithin(q, -qs, bound2, steps);
    if (k == 0) return Entry::None;
    gj = static_cast<float>(static_cast<double>(g) + static_cast<double>(k) * static_cast<double>(cs));
    qj = q;
    return Entry::Inside;
}

void StepToNonNegative(float& gj, float& qj, float cs, float qs) {
    if (!(gj < 0)) return;
    // g and its step are small whole numbers: the count of steps is exact.
    const auto c = static_cast<std::int64_t>(cs);
    const std::int64_t k = (-static_cast<std::int64_t>(gj) + c - 1) / c;
    gj = static_cast<float>(static_cast<std::int64_t>(gj) + k * c);
    qj = RepeatAdd(qj, -qs, k);
}

}  // namespace yinshi
