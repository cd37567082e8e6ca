// The trial-factor search: g and its cofactor q built together from the
// constant term upwards, one position at a time, with backtracking.
#include "search/trial_search.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "mainline/engine.hpp"
#include "mainline/progress.hpp"
#include "present/number_form.hpp"
#include "search/trial_checks.hpp"

namespace yinshi {

namespace {

// The first solution at a position is not taken with a cofactor coefficient
// past this (general copy).
constexpr double kFirstQuotLimit = 9999999.0;

template <typename T>
void AtLeast(std::vector<T>& v, int last) {
    if (last >= 0 && v.size() < static_cast<std::size_t>(last) + 1) v.resize(static_cast<std::size_t>(last) + 1, T{});
}

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
    for (auto* v : {&s.UpCoef, &s.UpQuot, &s.DownCoef, &s.DownQuot, &s.UpCoefKeep, &s.UpQuotKeep,
                    &s.DownCoefKeep, &s.DownQuotKeep})
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

// The first complete assignment of a degree, kept so that the next degree
// can resume from it.
void SaveSearchState(Engine& e, int j) {
    SearchState& s = e.search;
    const int d = j - 1;
    std::vector<float>& save = s.SearchSave;
    const std::vector<float>& q = e.dense.PolyWork;
    save[0] = static_cast<float>(j);
    save[1] = s.StepGcd;
    save[2] = s.QuotStep;
    save[3] = s.CoefStep;
    for (int k = 0; k <= d; ++k) save[4 + k] = q[k];
    for (int k = 0; k <= d; ++k) save[d + 5 + k] = s.TrialFactor[k];
    for (int k = 1; k <= d; ++k) {
        s.StepModeKeep[k] = s.StepMode[k];
        s.UpQuotKeep[k] = s.UpQuot[k];
        s.UpCoefKeep[k] = s.UpCoef[k];
        s.DownQuotKeep[k] = s.DownQuot[k];
        s.DownCoefKeep[k] = s.DownCoef[k];
    }
    s.DivisorIdxKeep = s.DivisorIdx;
    s.StateSaved = 1;
}

// Whether a top coefficient divides an: looked up for the small values the
// walk meets at its top position, divided out for the rest. Values are whole.
class LeadDivisors {
public:
    LeadDivisors(float lead, int limit) : lead_(lead), limit_(std::clamp(limit, 0, 4096)) {
        const auto whole = static_cast<std::int64_t>(std::fabs(lead));
        table_.assign(static_cast<std::size_t>(limit_) + 1, 0);
        auto mark = [&](std::int64_t v) {
            if (v <= limit_) table_[static_cast<std::size_t>(v)] = 1;
        };
        for (std::int64_t t = 1; t * t <= whole && t <= limit_; ++t) {
            if (whole % t == 0) {
                mark(t);
                mark(whole / t);
            }
        }
    }
    bool Divides(float v) const {
        const float mag = std::fabs(v);
        if (mag <= static_cast<float>(limit_)) return table_[static_cast<unsigned>(static_cast<int>(mag))] != 0;
        return IsWhole(lead_ / v);
    }

private:
    float lead_;
    int limit_;
    std::vector<std::uint8_t> table_;
};

// The hot state of the walk, held in locals.
struct Walk {
    Walk(Engine& eng, const LeadDivisors& divisors) : e(eng), divides(divisors) { Refresh(); }
    ~Walk() { e.search.CompleteAssignments += completes; }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    void Refresh() {
        SearchState& s = e.search;
        a = e.dense.PolyCoef.data();
        g = s.TrialFactor.data();
        q = e.dense.PolyWork.data();
        rem = s.DivRem.data();
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
        leadAbs = s.LeadAbs;
        h = s.StepGcd;
        cs = s.CoefStep;
        qs = s.QuotStep;
        g0 = g[0];
        q0 = q[0];
        saved = s.StateSaved != 0;
        jumped = e.run.Skipped == 1 && d == s.StartDegree;
    }

    Engine& e;
    const LeadDivisors& divides;
    const float* a;
    float* g;
    float* q;
    double* rem;
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
    bool saved;   // the first complete assignment of the degree is kept
    bool jumped;  // the search runs at the top degree after the jump
    long long completes = 0;
};

enum class Entered { Taken, None, Stop };

// While gj < 0, step. With a unit step in gj (always so in the copy for
// g0 = 1) the count is -gj, taken at once when every value passed is a small
// whole number, which float steps exactly.
inline void StepToNonNegative(const Walk& w, float& gj, float& qj) {
    constexpr float kSmall = 8388608.0f;  // 2^23
    if (!(gj < 0)) return;
    if (w.cs == 1 && gj >= -kSmall && std::floor(gj) == gj && std::fabs(qj) <= kSmall && std::floor(qj) == qj &&
        std::fabs(w.qs) <= kSmall && std::floor(w.qs) == w.qs) {
        const double end = static_cast<double>(qj) + static_cast<double>(gj) * static_cast<double>(w.qs);
        if (std::fabs(end) <= static_cast<double>(kSmall)) {
            qj = static_cast<float>(end);
            gj = 0;
            return;
        }
    }
    while (gj < 0) {
        gj += w.cs;
        qj -= w.qs;
    }
}

// Entering position j for the first time with this prefix: the starting point
// is the first non-negative g(j) on the solution line at or after the first
// point whose cofactor coefficient lies within Bound2.
template <bool kGeneral>
inline Entered EnterPosition(Walk& w, int j) {
    double s = w.a[j];
    for (int k = j - 1; k >= 1; --k) s -= static_cast<double>(w.q[k]) * static_cast<double>(w.g[j - k]);
    w.rem[j] = s;
    if (SearchMustStop(w.e, j)) return Entered::Stop;
    if constexpr (kGeneral) {
        if (!IsWhole(s / static_cast<double>(w.h))) return Entered::None;
    }
    const float tb = static_cast<float>(w.bound[j]);
    float t = -tb;
    double r = s - static_cast<double>(t) * static_cast<double>(w.q0);
    if constexpr (kGeneral) {
        for (;;) {
            const double quot = r / static_cast<double>(w.g0);
            if (IsWhole(quot) && !(quot > kFirstQuotLimit)) break;
            r -= static_cast<double>(w.q0);
            t += 1;
            if (t > tb) return Entered::None;
        }
    }
    w.rem[j] = r;
    float gj = t;
    float qj = kGeneral ? static_cast<float>(r / static_cast<double>(w.g0)) : static_cast<float>(r);
    if (std::fabs(qj) > w.bound2) {
        const float m = std::fabs(qj);
        gj += w.cs;
        qj -= w.qs;
        if (std::fabs(qj) > m) return Entered::None;  // the line leaves the band
        for (;;) {
            if (gj > tb) return Entered::None;
            if (std::fabs(qj) <= w.bound2) break;
            gj += w.cs;
            qj -= w.qs;
        }
    }
    StepToNonNegative(w, gj, qj);
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
enum class Then { NextAtTop, BackFromTop, Accepted, Code2 };

// The checks of a complete assignment whose real degree is `de` (d, or lower
// after the top-degree jump). Cold: runs once per candidate, not per position.
Then CheckCandidate(Engine& e, int de, bool general, bool direct, bool swap) {
    SearchState& s = e.search;
    const int d = s.TrialDegree;
    std::vector<float>& g = s.TrialFactor;
    std::vector<float>& q = e.dense.PolyWork;
    // Checking at a lower degree writes over the walk's own entries de+1..d.
    std::vector<float> keepG;
    std::vector<float> keepQ;
    if (de < d) {
        keepG.assign(g.begin() + de + 1, g.begin() + d + 1);
        keepQ.assign(q.begin() + de + 1, q.begin() + d + 1);
    }
    auto restoreWalk = [&] {
        s.TrialDegree = d;
        std::copy(keepG.begin(), keepG.end(), g.begin() + de + 1);
        std::copy(keepQ.begin(), keepQ.end(), q.begin() + de + 1);
    };

    s.TrialDegree = de;
    bool accepted = direct && DirectCheck(e, general);
    bool swapped = false;
    if (!accepted && general && swap) accepted = swapped = SwappedCheck(e);
    if (!accepted) {
        restoreWalk();
        return Then::NextAtTop;
    }
    if (e.run.MethodResult == 2) {
        s.FirstDegree = de;
        if (e.run.Skipped != 1) {
            s.TrialDegree = d;
            return Then::Code2;
        }
        if (swapped) {
            const int n = e.dense.Degree;
            for (int i = 0; i <= de; ++i) std::swap(q[i], g[i]);
            for (int i = de + 1; i <= n; ++i) q[i] = g[i] = 0;
        }
        restoreWalk();
        return Then::NextAtTop;
    }
    // The accepted factor and cofactor stand as the checks left them.
    s.TrialDegree = d;
    return Then::Accepted;
}

// Copy for g0 = 1: at half the degree the direct check computes no cofactor
// coefficient and only tests q(d) gd against an, so a candidate that fails
// that test leaves no trace there and need not be handed to it.
inline bool PassedOverAtHalf(const Walk& w, int de, float gd) {
    return de == w.d && w.half && w.q[de] * gd != w.an;
}

// The checks a complete assignment at the top position leads to.
template <bool kGeneral>
inline Then CheckTop(Walk& w) {
    Engine& e = w.e;
    const int d = w.d;
    int de = d;
    if (w.jumped && w.g[d] == 0) {
        // After the jump to the top degree a candidate may be of lower degree.
        do --de;
        while (de >= 1 && w.g[de] == 0);
        if (de < 1) return Then::NextAtTop;
    }
    // Either check needs its top coefficient to divide an; most candidates
    // fail that, and are passed over here without calling the checks.
    const float gd = w.g[de];
    Then then;
    if constexpr (!kGeneral) {
        if (gd == 0) return Then::NextAtTop;
        if (gd < -w.leadAbs) return Then::BackFromTop;
        if (gd > w.leadAbs) return Then::NextAtTop;
        if (!w.divides.Divides(gd)) return Then::NextAtTop;
        if (PassedOverAtHalf(w, de, gd)) return Then::NextAtTop;
        then = CheckCandidate(e, de, false, true, false);
    } else {
        const float qd = w.q[de];
        const bool direct = gd != 0 && w.divides.Divides(gd);
        const bool swap = qd != 0 && w.divides.Divides(qd);
        if (!direct && !swap) return Then::NextAtTop;
        then = CheckCandidate(e, de, true, direct, swap);
    }
    w.Refresh();
    return then;
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

enum class Scan { Check, UsedUp, Back };

// The candidates at the top position after a passed-over one, in the order
// NextCandidate gives them, stepped in registers. NextCandidate's tries
// alternate strictly between the two sides (a value taken from one side, or
// a failed try there, hands the next try to the other), so the walk here is
// a plain round of one downward and one upward try. Candidates the checks
// would pass over without effect are only counted; the scan stops at the
// first the checks must see (its values and the walk stored as NextCandidate
// would leave them), when the position is used up, or when the copy for
// g0 = 1 must back off. Not for a walk after the top-degree jump, whose
// candidates may be of lower degree, nor before the first is kept.
template <bool kGeneral>
inline Scan ScanTop(Walk& w) {
    const int d = w.d;
    const float tb = static_cast<float>(w.bound[d]);
    const float cs = w.cs;
    const float qs = w.qs;
    const float bound2 = w.bound2;
    const float leadAbs = w.leadAbs;
    const LeadDivisors& divides = w.divides;
    const bool half = w.half;
    const float an = w.an;
    float downC = w.downC[d];
    float downQ = w.downQ[d];
    float upC = w.upC[d];
    float upQ = w.upQ[d];
    float gd = w.g[d];
    float qd = w.q[d];
    std::int32_t mode = w.mode[d];
    long long completes = 0;
    Scan result = Scan::Check;
    // Whether a candidate is passed over; sets `result` when it is not.
    auto passOver = [&](float c, float v) -> bool {
        ++completes;
        if constexpr (!kGeneral) {
            if (c == 0 || c > leadAbs) return true;
            if (c < -leadAbs) {
                result = Scan::Back;
                return false;
            }
            return !divides.Divides(c) || (half && v * c != an);
        } else {
            return !divides.Divides(c) && !divides.Divides(v);
        }
    };
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
                if (!passOver(gd, qd)) break;
            }
        }
        upNext = false;
        upC += cs;
        upQ -= qs;
        if (!(upC > tb || std::fabs(upQ) > bound2)) {
            gd = upC;
            qd = upQ;
            mode = 2;
            if (!passOver(gd, qd)) break;
        }
    }
    w.downC[d] = downC;
    w.downQ[d] = downQ;
    w.upC[d] = upC;
    w.upQ[d] = upQ;
    w.g[d] = gd;
    w.q[d] = qd;
    w.mode[d] = mode;
    w.completes += completes;
    return result;
}

enum class WalkEnd { Stopped, PairUsedUp, Accepted, Code2 };

// One copy of the walk for the pair in use, from position j. kGeneral: the
// copy for g0 other than 1; the other drops every division and integer test.
template <bool kGeneral>
WalkEnd RunWalk(Engine& e, const LeadDivisors& divisors, int& j) {
    Walk w(e, divisors);
    const int d = w.d;
    enum class Op { Enter, Next, Back, Complete };
    Op op = j > d ? Op::Complete : Op::Enter;
    for (;;) {
        switch (op) {
            case Op::Enter:
                switch (EnterPosition<kGeneral>(w, j)) {
                    case Entered::Stop:
                        return WalkEnd::Stopped;
                    case Entered::None:
                        op = Op::Back;
                        break;
                    case Entered::Taken:
                        ++j;
                        op = j > d ? Op::Complete : Op::Enter;
                        break;
                }
                break;
            case Op::Next:
                if (NextCandidate(w, j)) {
                    ++j;
                    op = j > d ? Op::Complete : Op::Enter;
                } else {
                    op = Op::Back;
                }
                break;
            case Op::Back:
                if (--j <= 0) return WalkEnd::PairUsedUp;
                op = Op::Next;
                break;
            case Op::Complete: {
                // Most of the work is here: candidate after candidate at the
                // top position, each a complete assignment.
                j = d;
                op = Op::Back;
                Then then = CompleteAssignment<kGeneral>(w);
                for (;;) {
                    if (then == Then::Accepted) return WalkEnd::Accepted;
                    if (then == Then::Code2) return WalkEnd::Code2;
                    if (then == Then::BackFromTop) break;
                    if (w.jumped || !w.saved) {
                        if (!NextCandidate(w, d)) break;
                        then = CompleteAssignment<kGeneral>(w);
                        continue;
                    }
                    if (ScanTop<kGeneral>(w) != Scan::Check) break;
                    then = CheckTop<kGeneral>(w);
                }
                break;
            }
        }
    }
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

At TrialFactorSearch(Engine& e) {
    SearchState& s = e.search;
    if (s.TrialDegree < 1) return At::SearchEnd;
    EnsureCapacity(e);
    int j = std::clamp(s.SearchPos, 1, s.TrialDegree + 1);
    // Top coefficients run up to the bound at the top position (plus one step
    // past it from a starting point) and to Bound2.
    const float topRange = std::max(static_cast<float>(s.CoefBound[s.TrialDegree]) + std::fabs(e.dense.PolyCoef[0]),
                                    s.Bound2);
    const LeadDivisors divisors(e.dense.PolyCoef[e.dense.Degree], static_cast<int>(std::min(topRange, 4096.0f)));
    At result = s.StateSaved == 1 ? At::NextDegree : At::SearchEnd;
    for (bool searching = PairLeft(e); searching;) {
        const bool general = s.TrialFactor[0] != 1;
        const WalkEnd end = general ? RunWalk<true>(e, divisors, j) : RunWalk<false>(e, divisors, j);
        switch (end) {
            case WalkEnd::Stopped:
                result = At::SearchEnd;
                searching = false;
                break;
            case WalkEnd::Accepted:
                result = At::FactorReport;
                searching = false;
                break;
            case WalkEnd::Code2:
                result = At::AfterFactor;
                searching = false;
                break;
            case WalkEnd::PairUsedUp:
                if (general) e.screen.Print(ItemForm(s.TrialFactor[0]));
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
    return result;
}

void RestoreSavedSearch(Engine& e) {
    SearchState& s = e.search;
    const std::vector<float>& save = s.SearchSave;
    const int j = RoundHalfEven(save[0]);
    const int d = j - 1;
    s.SearchPos = j;
    s.StepGcd = save[1];
    s.QuotStep = save[2];
    s.CoefStep = save[3];
    for (int k = 0; k <= d; ++k) e.dense.PolyWork[k] = save[4 + k];
    for (int k = 0; k <= d; ++k) s.TrialFactor[k] = save[d + 5 + k];
    for (int k = 1; k <= d; ++k) {
        s.StepMode[k] = s.StepModeKeep[k];
        s.UpQuot[k] = s.UpQuotKeep[k];
        s.UpCoef[k] = s.UpCoefKeep[k];
        s.DownQuot[k] = s.DownQuotKeep[k];
        s.DownCoef[k] = s.DownCoefKeep[k];
    }
    s.DivisorIdx = s.DivisorIdxKeep;
    s.StateSaved = 0;
}

}  // namespace yinshi
