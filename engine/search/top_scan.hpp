#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "search/lead_divisors.hpp"

namespace yinshi {

// The walking state of the top position d: its two walking points and the
// candidate taken last (mode 1 when it came from the downward point).
struct TopPoint {
    float downC, downQ, upC, upQ;
    float gd, qd;
    std::int32_t mode;
};

// What decides at the top position for the pair and degree in use.
struct TopRules {
    float tb;      // CoefBound(d)
    float cs, qs;  // the steps of the solution line
    float bound2;
    float leadAbs;  // |an|
    float an;
    bool half;     // 2d = n: the copy for g0 = 1 passes over q(d) gd != an
    bool general;  // the copy for g0 other than 1
};

// The divisors of an, and their classes for the steps of the pair in use
// (built when first needed).
class TopDivisors {
public:
    explicit TopDivisors(const LeadDivisors& divisors) : divisors_(divisors) {}
    const LeadDivisors& All() const { return divisors_; }
    const DivisorClasses& Classes(std::int64_t m, bool forCoef);

    // For unit steps through [-tb, tb]: from each value the nearest divisor
    // of an at or below it (or the value itself below -|an|) and at or above
    // it. False when tb is too large for tables.
    bool UnitTables(std::int64_t tb);
    std::int64_t Below(std::int64_t c) const { return below_[static_cast<std::size_t>(c + offset_)]; }
    std::int64_t Above(std::int64_t c) const { return above_[static_cast<std::size_t>(c + offset_)]; }

private:
    const LeadDivisors& divisors_;
    DivisorClasses byCoef_;
    DivisorClasses byQuot_;
    std::int64_t tablesFor_ = -1;
    std::int64_t offset_ = 0;
    std::vector<std::int32_t> below_;
    std::vector<std::int32_t> above_;
};

enum class Scan { Check, UsedUp, Back };

// The candidates at the top position after the one taken last, in the order
// the walk takes them (s, s - step, s + step, ... with each side handing over
// to the other), up to the first one the checks must see: Check leaves it in
// gd, qd with the walking points as stepping one by one would leave them;
// UsedUp when the downward point falls below -tb; Back when the copy for
// g0 = 1 meets a top coefficient below -|an|. The candidates passed over
// (a top coefficient that cannot divide an, neither one in the general copy,
// or at half the degree a product q(d) gd that misses an) are only counted,
// in `completes`. Where every value stays exact in floats this jumps from one
// divisor of an to the next and counts the candidates between arithmetically;
// otherwise it steps.
Scan ScanTop(TopPoint& p, const TopRules& rules, TopDivisors& divisors, long long& completes);

namespace top_detail {

// Whether the candidate with top coefficient c and cofactor coefficient v is
// passed over without the checks; each candidate counts in `passed`, the one
// the checks see too. In the copy for g0 = 1 a top coefficient below -|an|
// ends the scan: `result` becomes Back. At half the degree q(d) gd is the
// whole leading coefficient, so it must be an itself. Left to the inliner as
// the lambda it replaces was: forced inline, GCC lays the stepping loop out
// otherwise and the scan runs about 3 % more instructions.
inline bool PassesOver(float c, float v, const LeadDivisors& divisors, float leadAbs, float an, bool half, bool general,
                       long long& passed, Scan& result) {
    ++passed;
    if (!general) {
        if (c == 0 || c > leadAbs) return true;
        if (c < -leadAbs) {
            result = Scan::Back;
            return false;
        }
        return !divisors.Divides(c) || (half && v * c != an);
    }
    return !divisors.Divides(c) && !divisors.Divides(v);
}

}  // namespace top_detail

// The same, one candidate at a time: for a short stretch, and for values that
// floats do not hold exactly.
inline Scan StepTop(TopPoint& p, const TopRules& r, const LeadDivisors& divisors, long long& completes) {
    using namespace top_detail;
    // In locals, so that nothing the loop stores can be taken for the rules.
    const float tb = r.tb, cs = r.cs, qs = r.qs, bound2 = r.bound2, leadAbs = r.leadAbs, an = r.an;
    const bool half = r.half;
    const bool general = r.general;
    float downC = p.downC, downQ = p.downQ, upC = p.upC, upQ = p.upQ, gd = p.gd, qd = p.qd;
    std::int32_t mode = p.mode;
    long long passed = 0;
    Scan result = Scan::Check;
    // After a candidate from the downward point the upward one goes next.
    bool upNext = mode == 1;
    for (;;) {
        if (!upNext) {
            downC -= cs;
            downQ += qs;
            if (downC < -tb) {
                result = Scan::UsedUp;
                break;
            }
            if (!(std::fabs(downQ) > bound2)) {
                gd = downC;
                qd = downQ;
                mode = 1;
                if (!PassesOver(gd, qd, divisors, leadAbs, an, half, general, passed, result)) break;
            }
        }
        upNext = false;
        upC += cs;
        upQ -= qs;
        if (!(upC > tb || std::fabs(upQ) > bound2)) {
            gd = upC;
            qd = upQ;
            mode = 2;
            if (!PassesOver(gd, qd, divisors, leadAbs, an, half, general, passed, result)) break;
        }
    }
    p = TopPoint{downC, downQ, upC, upQ, gd, qd, mode};
    completes += passed;
    return result;
}

}  // namespace yinshi
