#include "search/top_scan.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

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

// The rules of the position as whole numbers (exact: each is within 2^24).
struct WholeRules {
    std::int64_t tb, cs, qs, bound2;
};

// The two sides of a stretch to jump through, and the downward try that falls
// below -tb and so ends the position.
struct Stretch {
    Side down;
    Side up;
    std::int64_t end;
};

// Whether the jump can work with the rules and the downward coefficient:
// every one exact in floats, and unit steps in the copy for g0 = 1.
bool JumpableRules(const TopPoint& p, const TopRules& r) {
    for (float v : {r.tb, r.cs, r.qs, r.bound2, r.leadAbs, p.downC})
        if (!Whole(v)) return false;
    const auto cs = static_cast<std::int64_t>(r.cs);
    return cs >= 1 && (r.general || cs == 1);
}

// The downward side, with its tries inside the band and before the end; none
// when dead.
Side DownSide(const TopPoint& p, const WholeRules& w, std::int64_t end, bool dead) {
    Side down{static_cast<std::int64_t>(p.downC), 0, -w.cs, w.qs, Range{1, 0}, p.mode != 1};
    if (!dead) {
        down.q0 = static_cast<std::int64_t>(p.downQ);
        down.valid = Within(down.q0, w.qs, -w.bound2, w.bound2).Clip(1, end - 1);
    }
    return down;
}

// The upward side, with its tries inside the band, not above tb and not past
// the round in which the downward side ends; none when dead.
Side UpSide(const TopPoint& p, const WholeRules& w, std::int64_t end, bool dead) {
    const bool downFirst = p.mode != 1;
    Side up{0, 0, w.cs, -w.qs, Range{1, 0}, !downFirst};
    if (!dead) {
        up.c0 = static_cast<std::int64_t>(p.upC);
        up.q0 = static_cast<std::int64_t>(p.upQ);
        const std::int64_t lastTry = downFirst ? end - 1 : end;
        const std::int64_t belowTop = w.cs == 1 ? w.tb - up.c0 : Floor(w.tb - up.c0, w.cs);
        up.valid = Within(up.q0, -w.qs, -w.bound2, w.bound2).Clip(1, std::min(belowTop, lastTry));
    }
    return up;
}

// The stretch from the walking points (for jumpable rules), or nullopt when a
// side is inexact in floats and could still give a candidate. A side whose
// cofactor coefficient is past 2^24 is inexact there; it can only be skipped
// when it moves away from the band, never to give a candidate again.
std::optional<Stretch> MakeStretch(const TopPoint& p, const TopRules& r) {
    const WholeRules w{static_cast<std::int64_t>(r.tb), static_cast<std::int64_t>(r.cs),
                       static_cast<std::int64_t>(r.qs), static_cast<std::int64_t>(r.bound2)};
    const bool downDead = !Whole(p.downQ) && (p.downQ > 0) == (w.qs > 0);
    const bool upDead = p.upC > r.tb || (!Whole(p.upQ) && (p.upQ > 0) == (w.qs < 0));
    if ((!Whole(p.downQ) && !downDead) || (!upDead && (!Whole(p.upC) || !Whole(p.upQ)))) return std::nullopt;
    const auto downC = static_cast<std::int64_t>(p.downC);
    const std::int64_t end = std::max<std::int64_t>(1, (w.cs == 1 ? downC + w.tb : Floor(downC + w.tb, w.cs)) + 1);
    return Stretch{DownSide(p, w, end, downDead), UpSide(p, w, end, upDead), end};
}

// Where the scan stops, as places in the order the walk takes the tries: at
// the end of the position, or at the next try of a side that the checks must
// see (kNone when none; atDown, atUp are those tries).
struct Stops {
    std::int64_t atDown, atUp;
    std::int64_t end, down, up;
    std::int64_t first;
};

Stops FindStops(const Stretch& s, const TopRules& r, TopDivisors& divisors) {
    const bool tables = !r.general && divisors.UnitTables(static_cast<std::int64_t>(r.tb));
    Stops st{};
    st.atDown = r.general ? NextGeneral(s.down, 1, divisors) : NextUnit(s.down, 1, r, divisors, tables);
    st.atUp = r.general ? NextGeneral(s.up, 1, divisors) : NextUnit(s.up, 1, r, divisors, tables);
    st.end = s.down.Order(s.end);
    st.down = st.atDown == kNone ? kNone : s.down.Order(st.atDown);
    st.up = st.atUp == kNone ? kNone : s.up.Order(st.atUp);
    st.first = std::min({st.end, st.down, st.up});
    return st;
}

// A try of one side; none when side is null.
struct Pick {
    const Side* side = nullptr;
    std::int64_t at = 0;
};

// The candidate the scan stops at for the checks; none when the position ends first.
Pick AtStop(const Stretch& s, const Stops& st) {
    if (st.first == st.down && st.first != st.end) return {&s.down, st.atDown};
    if (st.first == st.up && st.first != st.end) return {&s.up, st.atUp};
    return {};
}

// The last candidate before the stop (the current one when every candidate of
// the stretch is passed over); none when the stretch has none.
Pick LastPassedOver(const Stretch& s, std::int64_t stop) {
    const std::int64_t lastDown = std::min(s.down.valid.hi, s.down.LastBefore(stop));
    const std::int64_t lastUp = std::min(s.up.valid.hi, s.up.LastBefore(stop));
    const bool hasDown = lastDown >= s.down.valid.lo;
    const bool hasUp = lastUp >= s.up.valid.lo;
    if (hasDown && (!hasUp || s.down.Order(lastDown) > s.up.Order(lastUp))) return {&s.down, lastDown};
    if (hasUp) return {&s.up, lastUp};
    return {};
}

// The walking points after every try up to the stop, where stepping them
// one addition at a time in floats leaves them.
void MovePoints(TopPoint& p, const TopRules& r, const Stretch& s, std::int64_t stop) {
    const std::int64_t downTries = s.down.TriesUpTo(stop);
    const std::int64_t upTries = s.up.TriesUpTo(stop);
    p.downC = RepeatAdd(p.downC, -r.cs, downTries);
    p.downQ = RepeatAdd(p.downQ, r.qs, downTries);
    p.upC = RepeatAdd(p.upC, r.cs, upTries);
    p.upQ = RepeatAdd(p.upQ, -r.qs, upTries);
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
    const std::optional<Stretch> stretch = JumpableRules(p, r) ? MakeStretch(p, r) : std::nullopt;
    if (!stretch) return StepTop(p, r, divisors.All(), completes);
    const Side& down = stretch->down;
    const Side& up = stretch->up;
    const Stops stops = FindStops(*stretch, r, divisors);

    // Every candidate before the stop was passed over.
    completes += down.valid.Count(down.LastBefore(stops.first)) + up.valid.Count(up.LastBefore(stops.first));
    Scan result = Scan::UsedUp;
    Pick pick = AtStop(*stretch, stops);
    if (pick.side != nullptr) {
        ++completes;
        result = !r.general && pick.side->C(pick.at) < -divisors.All().Lead() ? Scan::Back : Scan::Check;
    } else {
        pick = LastPassedOver(*stretch, stops.first);
    }
    if (pick.side != nullptr) {
        p.gd = static_cast<float>(pick.side->C(pick.at));
        p.qd = static_cast<float>(pick.side->V(pick.at));
        p.mode = pick.side == &down ? 1 : 2;
    }
    MovePoints(p, r, *stretch, stops.first);
    return result;
}

}  // namespace yinshi
