// The trial-factor search on polynomials that make it work to the end: every
// trial degree up to half the degree is searched, with the bounds the driver
// would set, a clock that never reaches the time limit and the production
// poller.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "mainline/allocation.hpp"
#include "mainline/engine.hpp"
#include "mainline/poller.hpp"
#include "present/number_form.hpp"
#include "search/trial_search.hpp"

namespace yinshi {
namespace {

// Irreducible by Eisenstein's criterion at 3; constant terms with several
// divisors; coefficients up to 30. Ascending powers.
const std::vector<float> kDegree8{30, 27, -18, 24, 6, -15, 21, 9, 7};
const std::vector<float> kDegree10{24, -21, 30, 12, -27, 9, 18, -6, 15, 27, 10};
const std::vector<float> kDegree12{12, 27, -30, 18, 9, -24, 21, 6, -15, 30, -12, 3, 11};

struct Rig {
    Screen screen;
    ScriptedKeyboard keys;
    FakeClock clock;  // stands still: the time limit never fires
    Poller poller = Poller::Production();
    Engine e{screen, keys, clock, std::filesystem::temp_directory_path(), poller};
    Rig() { AllocateStartup(e); }
};

// The polynomial and the search set-up of a first pass: bounds, divisor
// pairs, the first pair.
void SetUp(Engine& e, const std::vector<float>& f) {
    const int n = static_cast<int>(f.size()) - 1;
    AllocateDegreeSized(e, n);
    std::copy(f.begin(), f.end(), e.dense.PolyCoef.begin());
    e.dense.Degree = n;
    SearchState& s = e.search;

    float maxAbs = 0;
    for (int k = 1; k <= n; ++k) maxAbs = std::max(maxAbs, std::fabs(f[k]));
    s.MaxCoefAbs = maxAbs;
    s.Bound1 = maxAbs;
    if (maxAbs > 8 || n > 12) s.Bound1 = std::floor(std::sqrt(maxAbs) + 0.5f);
    if (std::sqrt(std::fabs(f[0])) + 0.1f - s.Bound1 > 1) s.Bound1 += 1;
    if (n < 17 && s.Bound1 == 1) s.Bound1 = 2;
    s.Bound2Floor = std::max(3.0f, maxAbs);
    s.Bound2 = std::max(static_cast<float>(4 - n / 30) * maxAbs, s.Bound2Floor);
    if (maxAbs / s.Bound1 > s.Bound2) s.Bound2 = std::floor(maxAbs / s.Bound1) + 1;
    s.LeadAbs = std::fabs(f[static_cast<std::size_t>(n)]);
    s.LeadBound = RoundHalfEven(std::max(s.LeadAbs, s.Bound1));

    const auto a0 = static_cast<std::int64_t>(std::fabs(f[0]));
    std::vector<float> divisors;
    for (std::int64_t t = a0; t >= 1; --t)
        if (a0 % t == 0) divisors.push_back(static_cast<float>(t));
    const int pairs = static_cast<int>(divisors.size());
    AllocateDivisorLists(e, pairs);
    for (int i = 1; i <= pairs; ++i) {
        s.DivisorA[i] = divisors[static_cast<std::size_t>(i - 1)];
        s.DivisorB[i] = f[0] / s.DivisorA[i];
    }
    s.DivisorCount = pairs + 1;
    s.DivisorIdx = 1;
    SetUpDivisorPair(e);
    s.SearchPos = 1;
    s.StateSaved = 0;
    s.HalfDegree = n / 2;
    s.StartDegree = 1;
}

// The degree loop: each degree resumes from the first complete candidate of
// the one before. False if the search ended in anything but exhaustion.
bool SearchAllDegrees(Engine& e) {
    SearchState& s = e.search;
    for (s.TrialDegree = 1; s.TrialDegree <= s.HalfDegree;) {
        const int d = s.TrialDegree;
        s.CoefBound[d] = s.LeadBound;
        s.CoefBound[d - 1] = RoundHalfEven(s.Bound1);
        s.CoefBound[s.HalfDegree] = RoundHalfEven(s.LeadAbs);
        const At at = TrialFactorSearch(e);
        if (at == At::SearchEnd) return true;
        if (at != At::NextDegree) return false;
        RestoreSavedSearch(e);
        s.TrialDegree += 1;
    }
    return true;
}

void Search(benchmark::State& state, const std::vector<float>& f) {
    Rig rig;
    Engine& e = rig.e;
    long long positions = 0;
    long long candidates = 0;
    for (auto _ : state) {
        SetUp(e, f);
        const long long before = e.search.PositionsEntered;
        const long long checkedBefore = e.search.CompleteAssignments;
        if (!SearchAllDegrees(e)) {
            state.SkipWithError("the search did not run to the end");
            break;
        }
        positions += e.search.PositionsEntered - before;
        candidates += e.search.CompleteAssignments - checkedBefore;
        rig.screen.ClearLog();
    }
    state.counters["positions"] = benchmark::Counter(static_cast<double>(positions), benchmark::Counter::kIsRate);
    // Complete assignments: most of the search's time goes to the candidates
    // at the top position, several for each position entered.
    state.counters["candidates"] = benchmark::Counter(static_cast<double>(candidates), benchmark::Counter::kIsRate);
    state.counters["positions_per_run"] =
        benchmark::Counter(static_cast<double>(positions), benchmark::Counter::kAvgIterations);
}

BENCHMARK_CAPTURE(Search, degree8, kDegree8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, degree10, kDegree10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, degree12, kDegree12)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace yinshi
