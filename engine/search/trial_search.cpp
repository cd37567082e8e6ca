// The trial-factor search: g and its cofactor q built together from the
// constant term upwards, one position at a time, with backtracking.
#include "search/trial_search.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "platform/grow.hpp"
#include "platform/number_form.hpp"
#include "search/lead_divisors.hpp"
#include "search/stop_check.hpp"
#include "search/supplied_factor.hpp"
#include "search/top_scan.hpp"
#include "search/trial_checks.hpp"
#include "search/walk_entry.hpp"
#include "search/walk_guide.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

// Cofactor coefficients a check computes for the cost of one position
// entered, as the budget of positions counts them.
constexpr int kCheckPerPosition = 16;

// The first solution at a position is not taken with a cofactor coefficient
// past this (general copy).
constexpr double kFirstQuotLimit = 9999999.0;

// Every table the search writes is large enough for the degrees at hand, even
// for a polynomial larger than the one the tables were first sized for.
void EnsureCapacity(Engine& e) {
    SearchState& s = e.search;
    const int n = e.dense.Degree;
    const int d = std::max(s.TrialDegree, n / 2);
    AtLeast(e.dense.PolyCoef, n);
    AtLeast(e.dense.PolyWork, n + 1);
    AtLeast(s.TrialFactor, n + 1);
    AtLeast(s.DivRem, n);
    AtLeast(s.CoefBound, d);
    for (auto* v : {&s.UpCoef, &s.UpQuot, &s.DownCoef, &s.DownQuot, &s.UpCoefKeep, &s.UpQuotKeep, &s.DownCoefKeep,
                    &s.DownQuotKeep})
        AtLeast(*v, d);
    AtLeast(s.StepMode, d);
    AtLeast(s.StepModeKeep, d);
    AtLeast(s.SearchSave, 2 * d + 6);
}

bool PairLeft(const Engine& e) {
    const SearchState& s = e.search;
    const int idx = s.DivisorIdx;
    if (idx < 1 || idx >= s.DivisorCount) return false;
    if (static_cast<std::size_t>(idx) >= s.DivisorA.size() || static_cast<std::size_t>(idx) >= s.DivisorB.size())
        return false;
    return s.DivisorA[idx] != 0 && s.DivisorB[idx] != 0;
}

// The walk's state at a complete assignment of degree d and its kept copy,
// field by field: `move(live, kept)` copies one way or the other, so that the
// save and the restore cannot come to differ.
template <typename Move>
void PairSavedFields(Engine& e, int d, Move move) {
    SearchState& s = e.search;
    std::vector<float>& save = s.SearchSave;
    move(s.StepGcd, save[1]);
    move(s.QuotStep, save[2]);
    move(s.CoefStep, save[3]);
    for (int k = 0; k <= d; ++k) move(e.dense.PolyWork[k], save[4 + k]);
    for (int k = 0; k <= d; ++k) move(s.TrialFactor[k], save[d + 5 + k]);
    for (int k = 1; k <= d; ++k) {
        move(s.StepMode[k], s.StepModeKeep[k]);
        move(s.UpQuot[k], s.UpQuotKeep[k]);
        move(s.UpCoef[k], s.UpCoefKeep[k]);
        move(s.DownQuot[k], s.DownQuotKeep[k]);
        move(s.DownCoef[k], s.DownCoefKeep[k]);
    }
    move(s.DivisorIdx, s.DivisorIdxKeep);
}

// The first complete assignment of a degree, kept so that the next degree
// can resume from it.
void SaveSearchState(Engine& e, int j) {
    e.search.SearchSave[0] = static_cast<float>(j);
    PairSavedFields(e, j - 1, [](const auto& live, auto& kept) { kept = live; });
    e.search.StateSaved = 1;
}

// The sums S(j) = a(j) - sum of q(k) g(j-k), k = 1..j-1, as exact integers.
// The terms with neither index 1 nor j-1 stay the same while position j-1
// walks its line, so they are summed once when position j-1 takes its first
// value; each S(j) then costs two products. Exact while every g and q of the
// prefix is within the limits below: no sum then reaches 2^51, so the
// doubles of the old dot product are exact too. Past them the walk sums S(j)
// in doubles as before.
class PrefixSums {
public:
    // Sized once per degree.
    void Reset(int d, const float* a) {
        d_ = d;
        const auto size = static_cast<std::size_t>(d) + 2;
        store_.assign(4 * size, 0);
        a_ = store_.data();
        base_ = a_ + size;
        g_ = base_ + size;
        q_ = g_ + size;
        exact_.assign(size, 0);
        // Up to 32 products of 2^20 by 2^26 stay below 2^51; more products,
        // smaller coefficients.
        limitG_ = d <= 32 ? 1048576.0f : 1024.0f;
        limitQ_ = 67108864.0f;
        bool exact = d <= 16384;
        for (int i = 1; i <= d; ++i) {
            exact = exact && std::fabs(a[i]) <= 16777216.0f;
            a_[i] = exact ? static_cast<std::int64_t>(a[i]) : 0;
        }
        exact_[0] = exact ? 1 : 0;
    }
    // Position p (1 <= p < d) holds g(p), q(p).
    void Take(int p, float gp, float qp) {
        const bool ok =
            exact_[static_cast<std::size_t>(p - 1)] != 0 && std::fabs(gp) <= limitG_ && std::fabs(qp) <= limitQ_;
        exact_[static_cast<std::size_t>(p)] = ok ? 1 : 0;
        g_[p] = static_cast<std::int64_t>(ok ? gp : 0.0f);
        q_[p] = static_cast<std::int64_t>(ok ? qp : 0.0f);
    }
    // Position p has taken its first value for this prefix: the part of
    // S(p+1) that its walk does not change.
    void Open(int p) {
        if (p >= d_ || exact_[static_cast<std::size_t>(p - 1)] == 0) return;
        const int j = p + 1;
        std::int64_t b = a_[j];
        for (int k = 2; k <= j - 2; ++k) b -= q_[k] * g_[j - k];
        base_[j] = b;
    }
    // The prefix up to p from the walk's arrays (when a walk resumes there).
    void TakePrefix(int upTo, const float* g, const float* q) {
        for (int p = 1; p <= std::min(upTo, d_ - 1); ++p) {
            Open(p);
            Take(p, g[p], q[p]);
        }
    }
    bool Exact(int j) const { return exact_[static_cast<std::size_t>(j - 1)] != 0; }
    // |S(j)| < 2^52 when exact.
    std::int64_t Sum(int j) const {
        if (j == 1) return a_[1];
        if (j == 2) return a_[2] - q_[1] * g_[1];
        return base_[j] - q_[j - 1] * g_[1] - q_[1] * g_[j - 1];
    }

private:
    int d_ = 0;
    std::vector<std::int64_t> store_;
    std::int64_t* a_ = nullptr;
    std::int64_t* base_ = nullptr;
    std::int64_t* g_ = nullptr;
    std::int64_t* q_ = nullptr;
    std::vector<std::uint8_t> exact_;
    float limitG_ = 0;
    float limitQ_ = 0;
};

// What the walk of one degree keeps across its pairs.
struct DegreeWalk {
    const LeadDivisors& lead;
    TopDivisors top;
    PrefixSums sums;
    std::vector<std::int64_t> boundMod;   // CoefBound(j) modulo the pair's cs
    std::vector<std::int32_t> byResidue;  // the pair's table, for a small cs
    std::optional<WalkGuide> guide;
    // The split an accepted candidate leaves for the factor report.
    FoundSplit split;
};

// The hot state of the walk, held in locals.
struct Walk {
    Walk(Engine& eng, DegreeWalk& degree)
        : e(eng), lead(degree.lead), top(degree.top), sums(degree.sums), split(degree.split) {
        Refresh();
        const SearchState& s = e.search;
        pair = MakePairSteps(g0, q0, s.StepGcd, cs, qs);
        if (!pair.whole) return;
        // What the first solutions of this pair need at every position.
        degree.boundMod.assign(static_cast<std::size_t>(d) + 1, 0);
        std::int64_t lastBound = -1;
        std::int64_t lastMod = 0;
        for (int k = 1; k <= d; ++k) {
            // The bounds below the top are mostly one value: divide once.
            if (bound[k] != lastBound) {
                lastBound = bound[k];
                lastMod = lastBound % pair.cs;
            }
            degree.boundMod[static_cast<std::size_t>(k)] = lastMod;
        }
        boundMod = degree.boundMod.data();
        constexpr std::int64_t kTable = 1024;
        if (pair.cs > 1 && pair.cs <= kTable) {
            // r qs^-1 mod cs for r = 0, 1, ...: each the one before plus the inverse.
            degree.byResidue.resize(static_cast<std::size_t>(pair.cs));
            std::int64_t k = 0;
            for (std::int64_t r = 0; r < pair.cs; ++r) {
                degree.byResidue[static_cast<std::size_t>(r)] = static_cast<std::int32_t>(k);
                k += pair.inverse;
                if (k >= pair.cs) k -= pair.cs;
            }
            pair.byResidue = degree.byResidue.data();
        }
    }
    ~Walk() { e.search.CompleteAssignments += completes; }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    bool InPlace() const {
        const SearchState& s = e.search;
        return a == e.dense.PolyCoef.data() && g == s.TrialFactor.data() && q == e.dense.PolyWork.data() &&
               upC == s.UpCoef.data() && downC == s.DownCoef.data() && mode == s.StepMode.data();
    }

    void Refresh() {
        SearchState& s = e.search;
        a = e.dense.PolyCoef.data();
        g = s.TrialFactor.data();
        q = e.dense.PolyWork.data();
        bound = s.CoefBound.data();
        upC = s.UpCoef.data();
        upQ = s.UpQuot.data();
        downC = s.DownCoef.data();
        downQ = s.DownQuot.data();
        mode = s.StepMode.data();
        d = s.TrialDegree;
        an = a[e.dense.Degree];
        half = 2 * d == e.dense.Degree;
        bound2 = s.Bound2;
        bound2Whole = static_cast<std::int64_t>(bound2);
        leadAbs = s.LeadAbs;
        h = s.StepGcd;
        cs = s.CoefStep;
        qs = s.QuotStep;
        g0 = g[0];
        q0 = q[0];
        saved = s.StateSaved != 0;
        jumped = e.run.Skipped == 1 && d == s.StartDegree;
        topRules = {static_cast<float>(bound[d]), cs, qs, bound2, leadAbs, an, half, g0 != 1};
    }

    Engine& e;
    const LeadDivisors& lead;
    TopDivisors& top;
    PrefixSums& sums;
    FoundSplit& split;
    PairSteps pair;
    const std::int64_t* boundMod = nullptr;  // CoefBound(j) modulo cs
    const float* a;
    float* g;
    float* q;
    const std::int32_t* bound;
    float* upC;
    float* upQ;
    float* downC;
    float* downQ;
    std::int32_t* mode;
    int d;
    float an;   // the leading coefficient of f
    bool half;  // d is half the degree: the cofactor has no coefficient between q(d) and its top
    float bound2, leadAbs, h, cs, qs, g0, q0;
    std::int64_t bound2Whole;
    TopRules topRules;
    bool saved;   // the first complete assignment of the degree is kept
    bool jumped;  // the search runs at the top degree after the jump
    long long completes = 0;
};

enum class Entered { Taken, None, Stop };

// The starting point when S(j) is not known exactly: stepping t from -tb in
// doubles, then along the line in floats.
template <bool kGeneral>
bool StartStepping(const Walk& w, double s, float tb, float& gj, float& qj) {
    if constexpr (kGeneral) {
        if (!IsWhole(s / static_cast<double>(w.h))) return false;
    }
    float t = -tb;
    double r = s - static_cast<double>(t) * static_cast<double>(w.q0);
    if constexpr (kGeneral) {
        for (;;) {
            const double quot = r / static_cast<double>(w.g0);
            if (IsWhole(quot) && !(quot > kFirstQuotLimit)) break;
            r -= static_cast<double>(w.q0);
            t += 1;
            if (t > tb) return false;
        }
    }
    gj = t;
    qj = kGeneral ? static_cast<float>(r / static_cast<double>(w.g0)) : static_cast<float>(r);
    if (std::fabs(qj) > w.bound2 && EnterBandStepping(gj, qj, w.cs, w.qs, tb, w.bound2) == Entry::None) return false;
    StepToNonNegative(gj, qj, w.cs, w.qs);
    return true;
}

// The starting point from the exact S(j): g0 = 1 takes t = -tb first, the
// general copy the least t >= -tb whose quotient is whole and not above the
// limit.
template <bool kGeneral>
inline bool StartExact(const Walk& w, int j, std::int64_t s, std::int64_t tb, float& gj, float& qj) {
    if (!w.pair.whole) return StartStepping<kGeneral>(w, static_cast<double>(s), static_cast<float>(tb), gj, qj);
    std::int64_t t = -tb;
    std::int64_t quot = 0;
    if constexpr (kGeneral) {
        if (!FirstSolution(w.pair, s, tb, w.boundMod[j], static_cast<std::int64_t>(kFirstQuotLimit), t, quot))
            return false;
    } else {
        quot = s + tb * w.pair.q0;
    }
    return StartFrom(w.pair, t, quot, tb, w.bound2Whole, gj, qj);
}

// Entering position j for the first time with this prefix: the starting point
// is the first non-negative g(j) on the solution line at or after the first
// point whose cofactor coefficient lies within Bound2.
template <bool kGeneral>
inline Entered EnterPosition(Walk& w, int j) {
    const bool exact = w.sums.Exact(j);
    std::int64_t sum = 0;
    double s = 0;
    if (exact) {
        sum = w.sums.Sum(j);
    } else {
        s = w.a[j];
        for (int k = j - 1; k >= 1; --k) s -= static_cast<double>(w.q[k]) * static_cast<double>(w.g[j - k]);
    }
    if (SearchMustStop(w.e, j)) return Entered::Stop;
    float gj = 0;
    float qj = 0;
    const bool found = exact ? StartExact<kGeneral>(w, j, sum, w.bound[j], gj, qj)
                             : StartStepping<kGeneral>(w, s, static_cast<float>(w.bound[j]), gj, qj);
    if (!found) return Entered::None;
    w.g[j] = gj;
    w.q[j] = qj;
    w.upC[j] = w.downC[j] = gj;
    w.upQ[j] = w.downQ[j] = qj;
    w.mode[j] = 2;
    return Entered::Taken;
}

// The next value at position j: s, s - step, s + step, s - 2 step, ... around
// the starting point, a failed side handing over to the other. False when
// the downward point has fallen below the bound.
inline bool NextCandidate(Walk& w, int j) {
    const float tb = static_cast<float>(w.bound[j]);
    bool up = w.mode[j] == 1;
    for (;;) {
        if (!up) {
            w.downC[j] -= w.cs;
            w.downQ[j] += w.qs;
            if (w.downC[j] < -tb) return false;
            if (std::fabs(w.downQ[j]) > w.bound2) {
                up = true;
                continue;
            }
            w.g[j] = w.downC[j];
            w.q[j] = w.downQ[j];
            w.mode[j] = 1;
            return true;
        }
        w.upC[j] += w.cs;
        w.upQ[j] -= w.qs;
        if (w.upC[j] > tb || std::fabs(w.upQ[j]) > w.bound2) {
            up = false;
            continue;
        }
        w.g[j] = w.upC[j];
        w.q[j] = w.upQ[j];
        w.mode[j] = 2;
        return true;
    }
}

// What a complete assignment leads to.
enum class Then { NextAtTop, BackFromTop, Accepted, Code2, Stopped };

// The checks of a complete assignment whose real degree is `de` (d, or lower
// after the top-degree jump); an accepted split is left in `split`. Cold:
// runs once per candidate, not per position.
Then CheckCandidate(Engine& e, int de, bool general, bool direct, bool swap, FoundSplit& split) {
    SearchState& s = e.search;
    const int d = s.TrialDegree;
    std::vector<float>& g = s.TrialFactor;
    std::vector<float>& q = e.dense.PolyWork;
    // A check computes up to n - 2 de cofactor coefficients: on a long
    // polynomial it costs far more than entering a position, and counts so.
    s.PolyPositions += 1 + std::max(e.dense.Degree - 2 * de, 0) / kCheckPerPosition;
    // Checking at a lower degree writes over the walk's own entries de+1..d.
    std::vector<float> keepG;
    std::vector<float> keepQ;
    if (de < d) {
        keepG.assign(g.begin() + de + 1, g.begin() + d + 1);
        keepQ.assign(q.begin() + de + 1, q.begin() + d + 1);
    }
    auto restoreWalk = [&] {
        std::copy(keepG.begin(), keepG.end(), g.begin() + de + 1);
        std::copy(keepQ.begin(), keepQ.end(), q.begin() + de + 1);
    };

    CheckResult r;
    if (direct) r = DirectCheck(e, de, general);
    bool swapped = false;
    if (r.Outcome == MethodOutcome::Rejected && general && swap) {
        r = SwappedCheck(e, de);
        swapped = r.Outcome != MethodOutcome::Rejected;
    }
    if (r.Outcome == MethodOutcome::Rejected) {
        restoreWalk();
        return Then::NextAtTop;
    }
    if (s.ChecksStopped) {
        // A key or the clock stopped the combination of the stored factors.
        s.ChecksStopped = false;
        s.FirstDegree = de;
        return Then::Stopped;
    }
    if (r.Outcome == MethodOutcome::Kept) {
        s.FirstDegree = de;
        if (e.run.Skipped != 1) return Then::Code2;
        if (swapped) {
            const int n = e.dense.Degree;
            for (int i = 0; i <= de; ++i) std::swap(q[i], g[i]);
            for (int i = de + 1; i <= n; ++i) q[i] = g[i] = 0;
        }
        restoreWalk();
        return Then::NextAtTop;
    }
    // The accepted factor and cofactor stand as the checks left them.
    split = std::move(r.Split);
    return Then::Accepted;
}

// Copy for g0 = 1: at half the degree the direct check computes no cofactor
// coefficient and only tests q(d) gd against an, so a candidate that fails
// that test leaves no trace there and need not be handed to it.
inline bool PassedOverAtHalf(const Walk& w, int de, float gd) { return de == w.d && w.half && w.q[de] * gd != w.an; }

// The real degree of a candidate after the jump to the top degree whose top
// coefficient is 0: that of its last non-zero coefficient (0 when none).
inline int LowerDegree(const Walk& w) {
    int de = w.d;
    do --de;
    while (de >= 1 && w.g[de] == 0);
    return de;
}

// The checks proper. The tables were sized for the degree before the walk
// began; a check that goes on with the walk leaves them where they are.
inline Then CheckInPlace(Walk& w, int de, bool general, bool direct, bool swap) {
    const Then then = CheckCandidate(w.e, de, general, direct, swap, w.split);
    assert(w.InPlace());
    return then;
}

// Copy for g0 = 1: the direct check needs the top coefficient to divide an;
// most candidates fail that, and are passed over here without calling it.
inline Then CheckUnitCandidate(Walk& w, int de) {
    const float gd = w.g[de];
    if (gd == 0) return Then::NextAtTop;
    if (gd < -w.leadAbs) return Then::BackFromTop;
    if (gd > w.leadAbs || !w.lead.Divides(gd) || PassedOverAtHalf(w, de, gd)) return Then::NextAtTop;
    return CheckInPlace(w, de, false, true, false);
}

// General copy: the direct check needs g(de), the swapped one q(de), to
// divide an; a candidate that gives neither is passed over here.
inline Then CheckGeneralCandidate(Walk& w, int de) {
    const float gd = w.g[de];
    const float qd = w.q[de];
    const bool direct = gd != 0 && w.lead.Divides(gd);
    const bool swap = qd != 0 && w.lead.Divides(qd);
    if (!direct && !swap) return Then::NextAtTop;
    return CheckInPlace(w, de, true, direct, swap);
}

// The checks a complete assignment at the top position leads to.
template <bool kGeneral>
inline Then CheckTop(Walk& w) {
    int de = w.d;
    if (w.jumped && w.g[de] == 0) {
        // After the jump to the top degree a candidate may be of lower degree.
        de = LowerDegree(w);
        if (de < 1) return Then::NextAtTop;
    }
    return kGeneral ? CheckGeneralCandidate(w, de) : CheckUnitCandidate(w, de);
}

// What the checks answer for a candidate that no divisor agrees with.
template <bool kGeneral>
inline Then PassOver(const Walk& w) {
    if constexpr (!kGeneral) {
        const float gd = w.g[w.d];
        if (gd != 0 && gd < -w.leadAbs) return Then::BackFromTop;
    }
    return Then::NextAtTop;
}

template <bool kGeneral>
inline Then CompleteAssignment(Walk& w) {
    if (!w.saved) {
        SaveSearchState(w.e, w.d + 1);
        w.saved = true;
    }
    ++w.completes;
    return CheckTop<kGeneral>(w);
}

// The candidates at the top position after the current one, up to the first
// the checks must see: a short stretch one by one, a long one by jumping from
// divisor to divisor of an. Not for a walk after the top-degree jump, whose
// candidates may be of lower degree, nor before the first is kept.
inline Scan ScanTopPosition(Walk& w) {
    // Rounds of one downward and one upward try that are stepped: jumping
    // costs about as much as this many rounds.
    constexpr float kShortStretch = 24;
    const int d = w.d;
    TopPoint p{w.downC[d], w.downQ[d], w.upC[d], w.upQ[d], w.g[d], w.q[d], w.mode[d]};
    Scan result;
    if (p.downC + w.topRules.tb <= kShortStretch * w.cs) {
        result = StepTop(p, w.topRules, w.lead, w.completes);
    } else {
        TopPoint far = p;
        result = ScanTop(far, w.topRules, w.top, w.completes);
        p = far;
    }
    w.downC[d] = p.downC;
    w.downQ[d] = p.downQ;
    w.upC[d] = p.upC;
    w.upQ[d] = p.upQ;
    w.g[d] = p.gd;
    w.q[d] = p.qd;
    w.mode[d] = p.mode;
    return result;
}

enum class WalkEnd { Stopped, PairUsedUp, Accepted, Code2 };

// The steps of the walk: enter a position, take its next value, go back a
// position, go through the candidates of a complete assignment; End when the
// walk is over.
enum class Op { Enter, Next, Back, Complete, End };

// One copy of the walk for the pair in use, from position j. kGeneral: the
// copy for g0 other than 1; the other drops every division and integer test.
// Its steps are inlined into Run(), which is the inner loop of the search.
template <bool kGeneral>
class WalkRun {
public:
    WalkRun(Engine& e, DegreeWalk& degree, int& j)
        : w_(e, degree),
          d_(w_.d),
          j_(j),
          // After the jump a candidate may be of lower degree than the guide knows.
          guide_(degree.guide && !w_.jumped ? &*degree.guide : nullptr) {
        w_.sums.TakePrefix(j - 1, w_.g, w_.q);
        // The guide only passes over what follows the degree's first complete
        // assignment: the next degree resumes from that one, so it is found as
        // the plain walk finds it.
        guiding_ = guide_ != nullptr && w_.saved;
        if (guiding_) guide_->Rebuild(w_.g, j - 1);
    }

    WalkEnd Run() {
        Op op = j_ > d_ ? Op::Complete : Op::Enter;
        for (;;) {
            switch (op) {
                case Op::Enter: op = Enter(); break;
                case Op::Next: op = Next(); break;
                case Op::Back: op = Back(); break;
                case Op::Complete: op = Complete(); break;
                case Op::End: return end_;
            }
        }
    }

private:
    // Position j for the first time with this prefix.
    [[gnu::always_inline]] Op Enter() {
        if (PrefixClosed()) return Op::Back;
        switch (EnterPosition<kGeneral>(w_, j_)) {
            case Entered::Stop: return Finish(WalkEnd::Stopped);
            case Entered::None: return Op::Back;
            case Entered::Taken: break;
        }
        if (j_ < d_) w_.sums.Open(j_);
        return Hopeless(j_, w_.g[j_]) ? Op::Next : Forward();
    }

    // The next value at position j that the guide allows.
    [[gnu::always_inline]] Op Next() {
        if (PrefixClosed()) return Op::Back;
        bool found = NextCandidate(w_, j_);
        while (found && Hopeless(j_, w_.g[j_])) found = NextCandidate(w_, j_);
        return found ? Forward() : Op::Back;
    }

    [[gnu::always_inline]] Op Back() { return --j_ <= 0 ? Finish(WalkEnd::PairUsedUp) : Op::Next; }

    // Position j holds its value: on to the next position, or to the
    // candidates at the top once all are filled.
    [[gnu::always_inline]] Op Forward() {
        Take(j_);
        ++j_;
        return j_ > d_ ? Op::Complete : Op::Enter;
    }

    // Most of the work is here: candidate after candidate at the top
    // position, each a complete assignment, until one is accepted or the
    // position is used up.
    [[gnu::always_inline]] Op Complete() {
        j_ = d_;
        Then then = FirstAtTop();
        while (then == Then::NextAtTop)
            if (!NextAtTop(then)) return Op::Back;
        if (then == Then::Accepted) return Finish(WalkEnd::Accepted);
        if (then == Then::Code2) return Finish(WalkEnd::Code2);
        if (then == Then::Stopped) return Finish(WalkEnd::Stopped);
        return Op::Back;
    }

    // The candidate that completed the assignment. The guide starts passing
    // over candidates once the degree's first complete assignment is kept.
    [[gnu::always_inline]] Then FirstAtTop() {
        const Then then = TopGuidedOut() ? PassOver<kGeneral>(w_) : CompleteAssignment<kGeneral>(w_);
        if (guide_ != nullptr && !guiding_ && w_.saved) {
            guiding_ = true;
            guide_->Rebuild(w_.g, d_ - 1);
        }
        return then;
    }

    // The next candidate at the top position and what its checks answer;
    // false when the position is used up or must go back. One by one after
    // the jump (a candidate may be of lower degree) and until the first
    // complete assignment is kept; else scanned up to the next one that the
    // checks must see.
    [[gnu::always_inline]] bool NextAtTop(Then& then) {
        if (w_.jumped || !w_.saved) {
            if (!NextCandidate(w_, d_)) return false;
            then = CompleteAssignment<kGeneral>(w_);
            return true;
        }
        if (ScanTopPosition(w_) != Scan::Check) return false;
        then = TopGuidedOut() ? PassOver<kGeneral>(w_) : CheckTop<kGeneral>(w_);
        return true;
    }

    // No divisor the guide knows agrees with g(0..j-1).
    [[gnu::always_inline]] bool PrefixClosed() const { return guiding_ && !guide_->Open(j_ - 1); }
    // No divisor the guide knows has v at position p (below the top).
    [[gnu::always_inline]] bool Hopeless(int p, float v) const { return guiding_ && p < d_ && !guide_->Allows(p, v); }
    // No divisor the guide knows has the candidate's top coefficient.
    [[gnu::always_inline]] bool TopGuidedOut() const { return guiding_ && !guide_->Allows(d_, w_.g[d_]); }

    // Position p (below the top) keeps its value for the positions after it.
    [[gnu::always_inline]] void Take(int p) {
        if (p >= d_) return;
        w_.sums.Take(p, w_.g[p], w_.q[p]);
        if (guiding_) guide_->Take(p, w_.g[p]);
    }

    [[gnu::always_inline]] Op Finish(WalkEnd end) {
        end_ = end;
        return Op::End;
    }

    Walk w_;
    const int d_;
    int& j_;
    WalkGuide* const guide_;
    bool guiding_ = false;
    WalkEnd end_ = WalkEnd::Stopped;
};

template <bool kGeneral>
WalkEnd RunWalk(Engine& e, DegreeWalk& degree, int& j) {
    WalkRun<kGeneral> run(e, degree, j);
    return run.Run();
}

// The exact factorisation of the polynomial the search walks, when exact
// factoring is at hand and within its limit; kept for the later degrees.
const exact::UniFactorization* WalkedFactors(Engine& e) {
    SearchState& s = e.search;
    const int n = e.dense.Degree;
    if (e.exact == nullptr || !e.guideWalk || n > exact::kGuideMaxDegree) return nullptr;
    std::optional<exact::UniPoly> f = WholeCoefficients(e.dense.PolyCoef.data(), n);
    if (!f) return nullptr;
    if (*f != s.GuidePoly) {
        s.GuidePoly = std::move(*f);
        s.GuideFactors = e.exact->Factor(s.GuidePoly);
    }
    return s.GuideFactors ? &*s.GuideFactors : nullptr;
}

// No divisor of the walked polynomial has a degree from the trial degree up
// to half its degree: nothing the rest of the search meets can be accepted.
// Where it ends then changes nothing that is written (only the progress on
// the screen), so it may end at once. Not after the jump to the top degree,
// whose candidates may be of any lower degree.
bool NothingLeftToFind(const Engine& e, const exact::UniFactorization& f) {
    const SearchState& s = e.search;
    if (e.run.Skipped == 1) return false;
    const std::vector<bool> degrees = exact::DivisorDegrees(f);
    if (degrees.size() != static_cast<std::size_t>(e.dense.Degree) + 1) return false;
    for (int k = std::max(s.TrialDegree, 1); k <= e.dense.Degree / 2; ++k)
        if (degrees[static_cast<std::size_t>(k)]) return false;
    return true;
}

}  // namespace

void SetUpDivisorPair(Engine& e) {
    SearchState& s = e.search;
    const float g0 = s.DivisorA[s.DivisorIdx];
    const float q0 = s.DivisorB[s.DivisorIdx];
    s.TrialFactor[0] = g0;
    e.dense.PolyWork[0] = q0;
    float a = std::fabs(q0);
    float b = std::fabs(g0);
    while (b != 0) {
        const float r = a - std::floor(a / b) * b;
        a = b;
        b = r;
    }
    s.StepGcd = a;
    s.CoefStep = std::floor(g0 / a);
    s.QuotStep = std::floor(q0 / a);
}

Step TrialFactorSearch(Engine& e) {
    SearchState& s = e.search;
    s.ExactEnded = false;
    s.BudgetSpent = false;
    s.ChecksStopped = false;
    if (s.TrialDegree < 1) return At::SearchEnd;
    EnsureCapacity(e);
    int j = std::clamp(s.SearchPos, 1, s.TrialDegree + 1);
    const LeadDivisors lead(e.dense.PolyCoef[e.dense.Degree]);
    const exact::UniFactorization* factors = WalkedFactors(e);
    if (factors != nullptr && NothingLeftToFind(e, *factors)) {
        s.SearchPos = j;
        return At::SearchEnd;
    }
    // The plain walk, kept for comparison, has no budget.
    s.PositionBudget = e.exact != nullptr && e.guideWalk ? kPositionBudget : std::numeric_limits<long long>::max();
    if (s.PolyPositions >= s.PositionBudget) return SupplyFactor(e, factors);
    DegreeWalk degree{lead, TopDivisors(lead), {}, {}, {}, {}, {}};
    if (factors != nullptr) degree.guide = WalkGuide::For(*factors, e.dense.Degree, s.TrialDegree);
    degree.sums.Reset(s.TrialDegree, e.dense.PolyCoef.data());
    Step result = s.StateSaved == 1 ? At::NextDegree : At::SearchEnd;
    for (bool searching = PairLeft(e); searching;) {
        const bool general = s.TrialFactor[0] != 1;
        const WalkEnd end = general ? RunWalk<true>(e, degree, j) : RunWalk<false>(e, degree, j);
        switch (end) {
            case WalkEnd::Stopped:
                result = At::SearchEnd;
                searching = false;
                break;
            case WalkEnd::Accepted:
                result = Step(At::FactorReport, degree.split);
                searching = false;
                break;
            case WalkEnd::Code2:
                result = At::AfterFactor;
                searching = false;
                break;
            case WalkEnd::PairUsedUp:
                if (general) e.report.PairUsedUp(s.TrialFactor[0]);
                ++s.DivisorIdx;
                searching = PairLeft(e);
                if (searching) {
                    SetUpDivisorPair(e);
                    j = 1;
                } else {
                    // Every pair used: the next degree resumes from the saved candidate, if any.
                    result = s.StateSaved == 1 ? At::NextDegree : At::SearchEnd;
                }
                break;
        }
    }
    s.SearchPos = j;
    if (s.BudgetSpent) {
        s.BudgetSpent = false;
        // A candidate kept before the budget ran out has reduced the polynomial.
        return SupplyFactor(e, WalkedFactors(e));
    }
    return result;
}

void RestoreSavedSearch(Engine& e) {
    SearchState& s = e.search;
    const int j = RoundHalfEven(s.SearchSave[0]);
    s.SearchPos = j;
    PairSavedFields(e, j - 1, [](auto& live, const auto& kept) { live = kept; });
    s.StateSaved = 0;
}

}  // namespace yinshi
