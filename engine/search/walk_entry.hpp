#pragma once
#include <cmath>
#include <cstdint>

#include "search/float_steps.hpp"

namespace yinshi {

// The starting point of a position, g(j) and q(j) on the line
// g0 q(j) + q0 g(j) = S(j): computed in closed form wherever every value the
// step-by-step walk would pass through is a whole number that floats and
// doubles hold exactly, and otherwise stepped as before, so that the point is
// the one the steps reach, rounding and all. Every value of the walk is a
// whole number: they are made from whole numbers by sums, products and
// quotients that are whole.

// The divisor pair in use, whole.
struct PairSteps {
    std::int64_t g0 = 1, q0 = 1, h = 1, cs = 1, qs = 1;
    std::int64_t inverse = 0;  // qs^-1 modulo cs
    // For a small cs, (r qs^-1) mod cs for every residue r, so that the
    // first solution needs one division less; null otherwise.
    const std::int32_t* byResidue = nullptr;
    double csInverse = 1;  // 1 / cs
    double hInverse = 1;   // 1 / h
    bool whole = false;    // every step within 2^24
};

PairSteps MakePairSteps(float g0, float q0, float h, float cs, float qs);

namespace walk_detail {

inline std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

// floor(x / m) for m >= 1 and |x| < 2^52, by the reciprocal: a step or two
// off at most before the correction, and for the small x of the walk none.
inline std::int64_t FloorDivBy(std::int64_t x, std::int64_t m, double inverse) {
    std::int64_t q = static_cast<std::int64_t>(std::floor(static_cast<double>(x) * inverse));
    std::int64_t r = x - q * m;
    while (r < 0) {
        r += m;
        --q;
    }
    while (r >= m) {
        r -= m;
        ++q;
    }
    return q;
}

inline bool WithinExact(float v) { return std::fabs(v) <= static_cast<float>(kExactLimit); }

}  // namespace walk_detail

// The first point of the general copy from an exact S(j) (|S| < 2^52): the
// least t >= -tb with g0 dividing S - t q0 and the quotient at most
// `quotLimit`, as t and the quotient; false when there is none up to tb.
// `tbMod` is tb modulo cs.
inline bool FirstSolution(const PairSteps& p, std::int64_t s, std::int64_t tb, std::int64_t tbMod,
                          std::int64_t quotLimit, std::int64_t& t, std::int64_t& quot) {
    using namespace walk_detail;
    if (p.h != 1) {
        const std::int64_t sh = FloorDivBy(s, p.h, p.hInverse);
        if (sh * p.h != s) return false;
        s = sh;
    }
    // cs divides S/h - t qs exactly when t = (S/h) qs^-1 modulo cs.
    t = -tb;
    if (p.cs > 1) {
        const std::int64_t r = s - FloorDivBy(s, p.cs, p.csInverse) * p.cs;
        std::int64_t k = 0;
        if (p.byResidue != nullptr) {
            k = p.byResidue[r];
        } else {
            const std::int64_t x = r * p.inverse;
            k = x - FloorDivBy(x, p.cs, p.csInverse) * p.cs;
        }
        const std::int64_t step = k + tbMod;  // (t - (-tb)) modulo cs
        t += step >= p.cs ? step - p.cs : step;
    }
    // An exact quotient of whole numbers below 2^53: the double division is exact.
    quot = p.cs == 1 ? s - t * p.qs
                     : static_cast<std::int64_t>(static_cast<double>(s - t * p.qs) / static_cast<double>(p.cs));
    if (quot > quotLimit) {
        // The quotient falls by qs from one whole solution to the next.
        if (p.qs < 0) return false;
        const std::int64_t m = CeilDiv(quot - quotLimit, p.qs);
        t += m * p.cs;
        quot -= m * p.qs;
    }
    return t <= tb;
}

enum class Entry { Inside, None };

// From a first point whose cofactor coefficient lies outside [-bound2,
// bound2]: the first point on the line inside it (stepping g by cs and q by
// -qs), or None when the line moves away or g passes tb first. Stepped in
// floats.
Entry EnterBandStepping(float& gj, float& qj, float cs, float qs, float tb, float bound2);

namespace walk_detail {

// Past 2^24 the floats round: stepped as floats step, from the point as
// floats hold it.
[[gnu::always_inline]] inline bool EnterBandRounded(const PairSteps& p, std::int64_t tb, std::int64_t bound2,
                                                    std::int64_t& t, std::int64_t& quot, float& gj, float& qj) {
    gj = static_cast<float>(t);
    qj = static_cast<float>(quot);
    if (EnterBandStepping(gj, qj, static_cast<float>(p.cs), static_cast<float>(p.qs), static_cast<float>(tb),
                          static_cast<float>(bound2)) == Entry::None)
        return false;
    t = static_cast<std::int64_t>(gj);
    quot = static_cast<std::int64_t>(qj);
    return true;
}

// How many steps of `step` it takes to cover `over`, the distance past the
// band's edge: a few are counted one by one, more by a division (whole
// numbers below 2^25: the double quotient's ceiling is exact).
[[gnu::always_inline]] inline std::int64_t StepsToBand(std::int64_t over, std::int64_t step) {
    if (over > 4 * step)
        return static_cast<std::int64_t>(std::ceil(static_cast<double>(over) / static_cast<double>(step)));
    std::int64_t k = 1;
    while (k * step < over) ++k;
    return k;
}

// Every value on the way is exact: the first step inside the band at once,
// unless the line moves away, jumps over the band, or g passes tb first.
// `mag` is |quot|, `step` |qs|.
[[gnu::always_inline]] inline bool EnterBandWhole(const PairSteps& p, std::int64_t mag, std::int64_t step,
                                                  std::int64_t tb, std::int64_t bound2, std::int64_t& t,
                                                  std::int64_t& quot) {
    const std::int64_t q1 = quot - p.qs;
    if ((q1 < 0 ? -q1 : q1) > mag) return false;  // the line leaves the band
    const std::int64_t k = StepsToBand(quot > 0 ? quot - bound2 : -bound2 - quot, step);
    quot -= k * p.qs;
    if (quot < -bound2 || quot > bound2) return false;
    t += k * p.cs;
    return t <= tb;
}

// From a point in the band to the first g >= 0 on the line: the count of
// steps at once, the cofactor coefficient replayed as floats would step it
// where it is not exact.
[[gnu::always_inline]] inline void SetNonNegativeStart(const PairSteps& p, std::int64_t t, std::int64_t quot, float& gj,
                                                       float& qj) {
    if (t < 0) {
        const std::int64_t k = p.cs == 1 ? -t : FloorDivBy(-t + p.cs - 1, p.cs, p.csInverse);
        gj = static_cast<float>(t + k * p.cs);
        const std::int64_t q = quot - k * p.qs;
        qj = FloatExact(q) ? static_cast<float>(q) : RepeatAdd(static_cast<float>(quot), static_cast<float>(-p.qs), k);
        return;
    }
    gj = static_cast<float>(t);
    qj = static_cast<float>(quot);
}

}  // namespace walk_detail

// The starting point from the first point (t, Q) in whole numbers: into the
// band, then to the first g >= 0. False when there is none.
[[gnu::always_inline]] inline bool StartFrom(const PairSteps& p, std::int64_t t, std::int64_t quot, std::int64_t tb,
                                             std::int64_t bound2, float& gj, float& qj) {
    using namespace walk_detail;
    const std::int64_t mag = quot < 0 ? -quot : quot;
    const std::int64_t step = p.qs < 0 ? -p.qs : p.qs;
    if (mag > bound2) {
        const bool inside = mag + step > kExactLimit ? EnterBandRounded(p, tb, bound2, t, quot, gj, qj)
                                                     : EnterBandWhole(p, mag, step, tb, bound2, t, quot);
        if (!inside) return false;
    }
    SetNonNegativeStart(p, t, quot, gj, qj);
    return true;
}

// While g < 0, step, in floats.
void StepToNonNegative(float& gj, float& qj, float cs, float qs);

}  // namespace yinshi
