// The search bounds, the divisor pairs of the constant term and the degree loop.
#include <cmath>
#include <cstdint>

#include "mainline/driver.hpp"
#include "mainline/progress.hpp"
#include "platform/colours.hpp"
#include "platform/number_form.hpp"
#include "search/stop_check.hpp"
#include "search/trial_search.hpp"
#include "state/allocation.hpp"

namespace yinshi {

namespace {

// Polynomial degrees above which the first bound is the square root of the
// largest coefficient, and above which it is capped at 100.
constexpr int kRootBoundAbove = 12;
constexpr int kCappedBoundAbove = 13;
// The trial degree from which high-degree polynomials get fewer candidates.
constexpr int kTightenAtDegree = 5;
// The trial degree at which the search tells the user to wait (a search that
// starts beyond it says so at once), and the polynomial degree above which
// that notice gives an estimate in minutes.
constexpr int kWaitAtDegree = 9;
constexpr int kEstimateAbove = 23;

float Lead(const Engine& e) { return e.dense.PolyCoef[e.dense.Degree]; }

// The search bounds from the coefficients.
void ComputeBounds(Engine& e) {
    SearchState& s = e.search;
    int n = e.dense.Degree;
    float maxAbs = 0;
    for (int k = 1; k <= n; ++k) maxAbs = std::max(maxAbs, std::fabs(e.dense.PolyCoef[k]));
    s.MaxCoefAbs = maxAbs;
    s.Bound1 = maxAbs;
    if (maxAbs > 8 || n > kRootBoundAbove) s.Bound1 = std::floor(std::sqrt(maxAbs) + 0.5f);
    if (std::sqrt(std::fabs(e.dense.PolyCoef[0])) + 0.1f - s.Bound1 > 1) s.Bound1 += 1;
    if (n < 17 && s.Bound1 == 1) s.Bound1 = 2;

    s.Bound2Floor = std::max(3.0f, maxAbs);
    if (s.Bound1 > 100 && n > kCappedBoundAbove) s.Bound1 = 100;
    s.DefaultBound1 = s.Bound1;
    // A whole step less for every 30 degrees.
    s.Bound2 = static_cast<float>(4 - n / 30) * maxAbs;  // NOLINT(bugprone-integer-division)
    if (s.Bound2 < s.Bound2Floor) s.Bound2 = s.Bound2Floor;
}

// Fewer candidates for high degrees.
void TightenForDegree(Engine& e) {
    SearchState& s = e.search;
    if (e.run.KeepAnewBound) {
        e.run.KeepAnewBound = false;
        return;
    }
    int n = e.dense.Degree;
    if (n > 49) {
        s.Bound1 = std::min(s.Bound1, 2.0f);
    } else if (n > 39) {
        s.Bound1 = std::min(s.Bound1, 3.0f);
    } else if (n > 29) {
        s.Bound1 = std::min(s.Bound1, 4.0f);
    } else if (n > 19 && s.Bound1 > 8) {
        s.Bound1 = std::min(std::floor(s.Bound1 / 2), 8.0f);
    }
    e.PrintLine(ItemForm(s.Bound1));
}

// Below the starting degree every position keeps the whole bound.
void SetLowerBounds(Engine& e) {
    SearchState& s = e.search;
    for (int k = 1; k <= s.StartDegree - 2; ++k) s.CoefBound[k] = RoundHalfEven(s.Bound1);
    s.LeadBound = s.LeadAbs > s.Bound1 ? RoundHalfEven(s.LeadAbs) : RoundHalfEven(s.Bound1);
}

// Every t from abs(a0) down to 1 that divides a0, with a0/t. The lists
// are sized from the actual count (a constant such as 720720 has 240 divisors).
void ListDivisorPairs(Engine& e) {
    SearchState& s = e.search;
    float a0 = e.dense.PolyCoef[0];
    auto whole = static_cast<std::int64_t>(std::fabs(a0));
    std::vector<std::int64_t> low;  // divisors up to the square root, ascending
    for (std::int64_t t = 1; t * t <= whole; ++t)
        if (whole % t == 0) low.push_back(t);
    // t ascending gives whole/t descending: first the divisors above the root,
    // then those up to it, from the largest down.
    std::vector<std::int64_t> ordered;
    for (auto t : low)
        if (whole / t != t) ordered.push_back(whole / t);
    for (auto it = low.rbegin(); it != low.rend(); ++it) ordered.push_back(*it);
    int pairs = static_cast<int>(ordered.size());
    AllocateDivisorLists(e, pairs);
    for (int i = 1; i <= pairs; ++i) {
        s.DivisorA[i] = static_cast<float>(ordered[i - 1]);
        s.DivisorB[i] = a0 / s.DivisorA[i];
    }
    s.DivisorCount = pairs + 1;
    s.DivisorIdx = 1;
}

// Cofactor coefficients beyond the floor are no longer tried from here on.
void LowerBound2ToFloor(Engine& e) {
    SearchState& s = e.search;
    if (s.Bound2 <= s.Bound2Floor) return;
    s.Bound2 = s.Bound2Floor;
    e.PrintLine("sj1=" + ItemForm(s.Bound2));
}

// How many searches can still follow one another without a key: a search that
// runs out of time halves the bound and starts again, until the bound is 1. A
// widened search that is stopped goes straight to the end instead.
int PassesLeft(const SearchState& s) {
    if (s.CurBound1 > s.DefaultBound1) return 1;
    int passes = 1;
    for (float b = s.Bound1; b > 1; b = std::floor((b + 1) / 2)) ++passes;
    return passes;
}

// The wait estimate: each search still to come may use its time limit plus one
// minute, so the promise holds across the re-tunes too. `waitText` is the
// Chinese lead-in, which the two messages spell differently.
void PrintWaitEstimate(Engine& e, const std::string& waitText) {
    if (e.exact != nullptr && e.guideWalk) {
        // The walk's budget ends every search long before any time limit.
        e.PrintLine("稍候!");
        e.PrintLine("Wait a moment!");
        return;
    }
    float total = (PassMinutes(e.run.SearchPass) + 1) * static_cast<float>(PassesLeft(e.search));
    std::string minutes = ItemForm(total);
    e.PrintLine(waitText + minutes + "分钟.请耐心等待或按x键!");
    e.PrintLine("The process is operating now,Wait for less than" + minutes + "minutes .");
}

bool LimitLiftedByB(const Engine& e) { return e.run.StopReason == StopReason::NoLimit && IsFirstPass(e.run); }

void WaitMessage(Engine& e) {
    e.NewLine();
    e.screen.Color(kWaitColours);
    if (LimitLiftedByB(e)) {
        e.PrintLine("程序正在运行中,请等候,或按x键!");
        e.PrintLine("The process is operating now.");
    } else if (2 * e.search.StartDegree + 3 < e.dense.Degree) {
        PrintWaitEstimate(e, "程序正在运行中,请等候. 等候时间<");
    } else {
        e.PrintLine("稍候!");
        e.PrintLine("Wait a moment!");
    }
    e.screen.Color(kPlainColours);
    LowerBound2ToFloor(e);
}

void DegreeNineMessage(Engine& e) {
    LowerBound2ToFloor(e);
    e.NewLine();
    e.screen.Color(kWaitColours);
    if (!LimitLiftedByB(e)) {
        if (e.dense.Degree > kEstimateAbove) {
            PrintWaitEstimate(e, "程序正在运行中,请等候.等候时间<");
        } else {
            e.PrintLine("稍 候!");
            e.PrintLine("Wait a moment!");
        }
    }
    e.screen.Color(kPlainColours);
}

// The two-minute rule: a first pass that has run long jumps to the highest degree.
void TwoMinuteRule(Engine& e) {
    RunFlags& r = e.run;
    SearchState& s = e.search;
    if (r.FactorFound || e.store.StoredCount != 0 || s.TrialDegree >= s.HalfDegree) return;
    float now = static_cast<float>(MinutesOf(e.clock.Now()));
    if (!MinutesPassed(now, r.StartMinute, 2)) return;
    r.Skipped = 1;
    s.TrialDegree = s.HalfDegree;
    s.StartDegree = s.HalfDegree;
    e.PrintLine("*" + ItemForm(static_cast<float>(s.TrialDegree)) + ItemForm(s.Bound1));
    for (int k = 1; k <= s.TrialDegree - 1; ++k) s.CoefBound[k] = RoundHalfEven(s.Bound1);
}

// One trial degree of the degree loop, then the search.
Step RunDegree(Engine& e) {
    SearchState& s = e.search;
    if (s.TrialDegree > s.HalfDegree) return At::SearchEnd;
    int d = s.TrialDegree;
    e.Print(ItemForm(static_cast<float>(d)) + " ");
    if (d == kTightenAtDegree) {
        TightenForDegree(e);
        SetLowerBounds(e);
    }
    s.CoefBound[d] = s.LeadBound;
    s.CoefBound[d - 1] = RoundHalfEven(s.Bound1);
    s.CoefBound[s.HalfDegree] = RoundHalfEven(s.LeadAbs);
    TwoMinuteRule(e);
    if (s.TrialDegree == kWaitAtDegree) DegreeNineMessage(e);
    Step next = TrialFactorSearch(e);
    if (next.Stage == At::AfterFactor) s.FirstDegree = s.TrialDegree;
    return next;
}

}  // namespace

Step SearchStart(Engine& e) {
    e.search.StartDegree = e.search.FirstDegree;
    if (Next n = EisensteinStage(e)) return *n;
    ComputeBounds(e);
    return BoundClamp(e);
}

Step SearchResume(Engine& e) {
    e.NewLine();
    e.search.StartDegree = e.search.TrialDegree;
    if (Next n = EisensteinStage(e)) return *n;
    ComputeBounds(e);
    return BoundClamp(e);
}

Step BoundClamp(Engine& e) {
    SearchState& s = e.search;
    int n = e.dense.Degree;
    if (s.MaxCoefAbs / s.Bound1 > s.Bound2) s.Bound2 = std::floor(s.MaxCoefAbs / s.Bound1) + 1;
    if (s.Bound2 > kCoefLimit) s.Bound2 = kCoefLimit;
    e.Print(ItemForm(s.Bound1));
    e.screen.NextZone();
    e.PrintLine(ItemForm(s.Bound2));
    e.PrintLine(ItemForm(static_cast<float>(n)));

    ShowStatusLine(e);
    e.search.TrialFactor[0] = std::fabs(e.dense.PolyCoef[0]);
    s.LeadAbs = std::fabs(Lead(e));
    if (s.StartDegree > 5) TightenForDegree(e);
    SetLowerBounds(e);
    if (s.StartDegree > kWaitAtDegree) WaitMessage(e);

    ListDivisorPairs(e);
    SetUpDivisorPair(e);
    s.SearchPos = 1;
    s.StateSaved = 0;
    s.HalfDegree = n / 2;
    RestartSearchClock(e);
    s.TrialDegree = s.StartDegree;
    return RunDegree(e);
}

Step NextDegree(Engine& e) {
    RestoreSavedSearch(e);
    e.search.StateSaved = 0;
    e.search.TrialDegree += 1;
    return RunDegree(e);
}

}  // namespace yinshi
