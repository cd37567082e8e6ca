#include "search/top_scan.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "search/float_steps.hpp"

namespace yinshi {

namespace {

constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max() / 4;

struct Range {
    std::int64_t lo;
    std::int64_t hi;
    Range Clip(std::int64_t l, std::int64_t h) const { return {std::max(lo, l), std::min(hi, h)}; }
    std::int64_t Count(std::int64_t upTo) const { return std::max<std::int64_t>(0, std::min(hi, upTo) - lo + 1); }
};

// floor(a / b) for b != 0: in doubles while they are exact enough (the
// quotient is then never within a rounding error of a whole number it is
// not), else in integers.
std::int64_t Floor(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t kSmall = std::int64_t{1} << 26;
    if (a > -kSmall && a < kSmall && b > -kSmall && b < kSmall)
        return static_cast<std::int64_t>(std::floor(static_cast<double>(a) / static_cast<double>(b)));
    return FloorDiv(a, b);
}
std::int64_t Ceil(std::int64_t a, std::int64_t b) { return -Floor(-a, b); }

// The tries i with low <= a + i b <= high.
Range Within(std::int64_t a, std::int64_t b, std::int64_t low, std::int64_t high) {
    if (b == 0) return a >= low && a <= high ? Range{1, kNone} : Range{1, 0};
    if (b > 0) return {Ceil(low - a, b), Floor(high - a, b)};
    return {Ceil(high - a, b), Floor(low - a, b)};
}

// One side of the top position: its tries i = 1, 2, ... move the coefficient
// by dc and the cofactor coefficient by dq; they come at every other place of
// the order in which the walk takes the candidates.
struct Side {
    std::int64_t c0, q0, dc, dq;
    Range valid;  // the tries that give a candidate
    bool odd;     // its tries come first in each round
    std::int64_t C(std::int64_t i) const { return c0 + i * dc; }
    std::int64_t V(std::int64_t i) const { return q0 + i * dq; }
    std::int64_t Order(std::int64_t i) const { return odd ? 2 * i - 1 : 2 * i; }
    // The last try before place `order`, and the number of tries up to it.
    std::int64_t LastBefore(std::int64_t order) const { return odd ? order / 2 : (order - 1) / 2; }
    std::int64_t TriesUpTo(std::int64_t order) const { return odd ? (order + 1) / 2 : order / 2; }
};

bool Whole(float v) { return std::fabs(v) <= static_cast<float>(kExactLimit); }

// Copy for g0 = 1 (unit steps in the coefficient): the next try that is a
// divisor of an (meeting q(d) gd = an at half the degree), or below -|an|.
std::int64_t NextUnit(const Side& s, std::int64_t from, const TopRules& r, TopDivisors& divisors, bool tables) {
    const std::vector<std::int64_t>& sd = divisors.All().Signed();
    const std::int64_t lead = divisors.All().Lead();
    for (std::int64_t i = std::max(from, s.valid.lo); i <= s.valid.hi;) {
        const std::int64_t c = s.C(i);
        if (c < -lead) return i;
        std::int64_t at = 0;
        std::int64_t value = 0;
        if (s.dc < 0) {
            if (tables) {
                value = divisors.Below(c);
            } else {
                const auto it = std::upper_bound(sd.begin(), sd.end(), c);  // -lead is there: never the first
                value = *(it - 1);
            }
            at = s.c0 - value;
        } else {
            if (tables) {
                value = divisors.Above(c);
                if (value > lead) return kNone;
            } else {
                const auto it = std::lower_bound(sd.begin(), sd.end(), c);
                if (it == sd.end()) return kNone;
                value = *it;
            }
            at = value - s.c0;
        }
        if (at > s.valid.hi) return kNone;
        if (value < -lead || !r.half || static_cast<float>(s.V(at)) * static_cast<float>(value) == r.an) return at;
        i = at + 1;
    }
    return kNone;
}

// The first try from `from` on at which start + i step is in the class.
std::int64_t NextInClass(const DivisorClasses& classes, std::int64_t start, std::int64_t step, std::int64_t from) {
    const std::span<const std::int64_t> values = classes.Of(start);
    const std::int64_t v = start + from * step;
    if (step > 0) {
        const auto it = std::lower_bound(values.begin(), values.end(), v);
        return it == values.end() ? kNone : (*it - start) / step;
    }
    const auto it = std::upper_bound(values.begin(), values.end(), v);
    return it == values.begin() ? kNone : (start - *(it - 1)) / -step;
}

// General copy: the next try whose coefficient or cofactor coefficient divides an.
std::int64_t NextGeneral(const Side& s, std::int64_t from, TopDivisors& divisors) {
    from = std::max(from, s.valid.lo);
    if (from > s.valid.hi) return kNone;
    const LeadDivisors& all = divisors.All();
    if (s.valid.hi - from < 16 || s.dc == 0 || s.dq == 0) {
        for (std::int64_t i = from; i <= s.valid.hi; ++i)
            if (all.Divides(s.C(i)) || all.Divides(s.V(i))) return i;
        return kNone;
    }
    const std::int64_t byCoef = NextInClass(divisors.Classes(std::llabs(s.dc), true), s.c0, s.dc, from);
    const std::int64_t byQuot = NextInClass(divisors.Classes(std::llabs(s.dq), false), s.q0, s.dq, from);
    const std::int64_t next = std::min(byCoef, byQuot);
    return next <= s.valid.hi ? next : kNone;
}

}  // namespace

bool TopDivisors::UnitTables(std::int64_t tb) {
    constexpr std::int64_t kMaxBound = 65536;
    if (tb == tablesFor_) return true;
    if (tb < 0 || tb > kMaxBound) return false;
    // Values from -tb - 1 to tb + 1.
    const std::int64_t lead = divisors_.Lead();
    offset_ = tb + 1;
    const auto size = static_cast<std::size_t>(2 * tb + 3);
    below_.assign(size, 0);
    above_.assign(size, 0);
    std::int64_t last = 0;
    for (std::int64_t c = -tb - 1; c <= tb + 1; ++c) {
        if (c < -lead || (c != 0 && divisors_.Divides(c))) last = c;
        below_[static_cast<std::size_t>(c + offset_)] = static_cast<std::int32_t>(last);
    }
    std::int64_t next = lead + 1;  // none
    for (std::int64_t c = tb + 1; c >= -tb - 1; --c) {
        if (c != 0 && c >= -lead && divisors_.Divides(c)) next = c;
        above_[static_cast<std::size_t>(c + offset_)] = static_cast<std::int32_t>(next);
    }
    tablesFor_ = tb;
    return true;
}

const DivisorClasses& TopDivisors::Classes(std::int64_t m, bool forCoef) {
    DivisorClasses& classes = forCoef ? byCoef_ : byQuot_;
    if (classes.Modulus() != m) classes.Build(divisors_, m);
    return classes;
}

Scan ScanTop(TopPoint& p, const TopRules& r, TopDivisors& divisors, long long& completes) {
    for (float v : {r.tb, r.cs, r.qs, r.bound2, r.leadAbs, p.downC})
        if (!Whole(v)) return StepTop(p, r, divisors.All(), completes);
    const auto tb = static_cast<std::int64_t>(r.tb);
    const auto cs = static_cast<std::int64_t>(r.cs);
    const auto qs = static_cast<std::int64_t>(r.qs);
    const auto bound2 = static_cast<std::int64_t>(r.bound2);
    if (cs < 1 || (!r.general && cs != 1)) return StepTop(p, r, divisors.All(), completes);

    // A side whose cofactor coefficient is past 2^24 is inexact there; it can
    // only be skipped when it moves away from the band, never to give a
    // candidate again.
    const bool downDead = !Whole(p.downQ) && (p.downQ > 0) == (qs > 0);
    const bool upDead = p.upC > r.tb || (!Whole(p.upQ) && (p.upQ > 0) == (qs < 0));
    if ((!Whole(p.downQ) && !downDead) || (!upDead && (!Whole(p.upC) || !Whole(p.upQ))))
        return StepTop(p, r, divisors.All(), completes);

    const bool downFirst = p.mode != 1;
    const auto downC = static_cast<std::int64_t>(p.downC);
    // The downward try that falls below -tb ends the position.
    const std::int64_t end = std::max<std::int64_t>(1, (cs == 1 ? downC + tb : Floor(downC + tb, cs)) + 1);
    Side down{downC, 0, -cs, qs, Range{1, 0}, downFirst};
    if (!downDead) {
        down.q0 = static_cast<std::int64_t>(p.downQ);
        down.valid = Within(down.q0, qs, -bound2, bound2).Clip(1, end - 1);
    }
    Side up{0, 0, cs, -qs, Range{1, 0}, !downFirst};
    if (!upDead) {
        up.c0 = static_cast<std::int64_t>(p.upC);
        up.q0 = static_cast<std::int64_t>(p.upQ);
        const std::int64_t lastTry = downFirst ? end - 1 : end;
        const std::int64_t belowTop = cs == 1 ? tb - up.c0 : Floor(tb - up.c0, cs);
        up.valid = Within(up.q0, -qs, -bound2, bound2).Clip(1, std::min(belowTop, lastTry));
    }

    const bool tables = !r.general && divisors.UnitTables(tb);
    const std::int64_t atDown = r.general ? NextGeneral(down, 1, divisors) : NextUnit(down, 1, r, divisors, tables);
    const std::int64_t atUp = r.general ? NextGeneral(up, 1, divisors) : NextUnit(up, 1, r, divisors, tables);
    const std::int64_t endOrder = down.Order(end);
    const std::int64_t downOrder = atDown == kNone ? kNone : down.Order(atDown);
    const std::int64_t upOrder = atUp == kNone ? kNone : up.Order(atUp);
    const std::int64_t stop = std::min({endOrder, downOrder, upOrder});

    // Every candidate before the stop was passed over.
    completes += down.valid.Count(down.LastBefore(stop)) + up.valid.Count(up.LastBefore(stop));
    Scan result = Scan::UsedUp;
    const Side* taken = nullptr;
    std::int64_t at = 0;
    if (stop == downOrder && stop != endOrder) {
        taken = &down;
        at = atDown;
    } else if (stop == upOrder && stop != endOrder) {
        taken = &up;
        at = atUp;
    }
    if (taken != nullptr) {
        ++completes;
        result = !r.general && taken->C(at) < -divisors.All().Lead() ? Scan::Back : Scan::Check;
    } else {
        // The last candidate passed over stays the current one.
        const std::int64_t lastDown = std::min(down.valid.hi, down.LastBefore(stop));
        const std::int64_t lastUp = std::min(up.valid.hi, up.LastBefore(stop));
        const bool hasDown = lastDown >= down.valid.lo;
        const bool hasUp = lastUp >= up.valid.lo;
        if (hasDown && (!hasUp || down.Order(lastDown) > up.Order(lastUp))) {
            taken = &down;
            at = lastDown;
        } else if (hasUp) {
            taken = &up;
            at = lastUp;
        }
    }
    if (taken != nullptr) {
        p.gd = static_cast<float>(taken->C(at));
        p.qd = static_cast<float>(taken->V(at));
        p.mode = taken == &down ? 1 : 2;
    }
    const std::int64_t downTries = down.TriesUpTo(stop);
    const std::int64_t upTries = up.TriesUpTo(stop);
    p.downC = RepeatAdd(p.downC, -r.cs, downTries);
    p.downQ = RepeatAdd(p.downQ, r.qs, downTries);
    p.upC = RepeatAdd(p.upC, r.cs, upTries);
    p.upQ = RepeatAdd(p.upQ, -r.qs, upTries);
    return result;
}

}  // namespace yinshi
