// The factor exact factoring supplies once the walk has spent its budget.
#include "search/supplied_factor.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/number_form.hpp"
#include "search/dense_arith.hpp"
#include "search/exact_product.hpp"
#include "search/walk_guide.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

__extension__ typedef __int128 Wide;

// A divisor g of the walked polynomial with g(0) > 0, as the walk's g0 is,
// and its cofactor.
struct Candidate {
    exact::UniPoly g;
    exact::UniPoly q;
};

// f / g when g divides f exactly and every coefficient of the quotient fits.
std::optional<exact::UniPoly> ExactQuotient(const exact::UniPoly& f, const exact::UniPoly& g) {
    const int n = static_cast<int>(f.size()) - 1;
    const int d = static_cast<int>(g.size()) - 1;
    if (d < 0 || n < d || g[static_cast<std::size_t>(d)] == 0) return std::nullopt;
    std::vector<Wide> r(f.begin(), f.end());
    exact::UniPoly q(static_cast<std::size_t>(n - d) + 1);
    const Wide lead = g[static_cast<std::size_t>(d)];
    constexpr Wide kFits = static_cast<Wide>(1) << 62;
    for (int k = n - d; k >= 0; --k) {
        const auto at = static_cast<std::size_t>(k);
        const Wide top = r[at + static_cast<std::size_t>(d)];
        if (top % lead != 0) return std::nullopt;
        const Wide c = top / lead;
        if (c > kFits || c < -kFits) return std::nullopt;
        q[static_cast<std::size_t>(k)] = static_cast<std::int64_t>(c);
        for (std::size_t i = 0; i < g.size(); ++i) r[at + i] -= c * g[i];
    }
    for (const Wide v : r)
        if (v != 0) return std::nullopt;
    return q;
}

// Every number the factor report shows is exact in the engine's floats: the
// coefficients and each product of a coefficient of g by one of q.
bool Showable(const Candidate& c) {
    for (std::int64_t a : c.g)
        for (std::int64_t b : c.q)
            if (std::llabs(a) > kExactLimit || std::llabs(b) > kExactLimit ||
                std::fabs(static_cast<double>(a) * static_cast<double>(b)) > static_cast<double>(kExactLimit))
                return false;
    return true;
}

// The divisors of degree d, each primitive one times every part of the
// content, signed as the walk's g0; the largest g0 first, as the walk takes
// its pairs. Nullopt when there are too many to list.
std::optional<std::vector<Candidate>> CandidatesOfDegree(const exact::UniFactorization& f, const exact::UniPoly& a,
                                                         int d) {
    const auto list = exact::DivisorsOfDegree(f, d, WalkGuide::kMaxTargets + 1);
    if (!list || list->capped || f.content == 0 || std::llabs(f.content) > kCoefLimitWhole) return std::nullopt;
    std::vector<Candidate> out;
    const std::vector<std::int64_t> contentParts = *PositiveDivisors(std::llabs(f.content), SIZE_MAX);
    for (const exact::UniPoly& p : list->divisors) {
        if (p.empty() || p[0] == 0) continue;
        for (std::int64_t m : contentParts) {
            Candidate c;
            const std::int64_t sign = p[0] < 0 ? -m : m;
            for (std::int64_t v : p) c.g.push_back(v * sign);
            std::optional<exact::UniPoly> q = ExactQuotient(a, c.g);
            if (!q) continue;
            c.q = std::move(*q);
            if (Showable(c)) out.push_back(std::move(c));
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const Candidate& x, const Candidate& y) { return x.g[0] > y.g[0]; });
    return out;
}

// The checks and the recording of a complete candidate, as the walk calls
// them; where the run goes on, or nothing when the candidate is passed over.
std::optional<Step> Record(Engine& e, int d, const Candidate& c) {
    SearchState& s = e.search;
    DenseForm& dn = e.dense;
    const int n = dn.Degree;
    for (int k = 0; k <= d; ++k)
        s.TrialFactor[static_cast<std::size_t>(k)] = static_cast<float>(c.g[static_cast<std::size_t>(k)]);
    for (int k = 0; k <= n - d; ++k)
        dn.PolyWork[static_cast<std::size_t>(k)] = static_cast<float>(c.q[static_cast<std::size_t>(k)]);
    s.TrialDegree = d;
    if (!ProductEquals(s.TrialFactor.data(), d, dn.PolyWork.data(), n - d, dn.PolyCoef.data())) return std::nullopt;
    const CheckResult r = AcceptFactor(e, d);
    if (s.ChecksStopped) {
        s.ChecksStopped = false;
        s.FirstDegree = d;
        // The budget cut the combination of the stored factors short: the
        // candidate stays kept, as when no group splits.
        if (s.BudgetSpent) {
            s.BudgetSpent = false;
            return At::AfterFactor;
        }
        return At::SearchEnd;
    }
    if (r.Outcome == MethodOutcome::Split) return Step(At::FactorReport, r.Split);
    if (r.Outcome == MethodOutcome::Kept && e.run.Skipped != 1) {
        s.FirstDegree = d;
        return At::AfterFactor;
    }
    return std::nullopt;
}

At EndAsExhausted(Engine& e) {
    e.search.ExactEnded = true;
    return At::SearchEnd;
}

}  // namespace

Step SupplyFactor(Engine& e, const exact::UniFactorization* factors) {
    SearchState& s = e.search;
    const int n = e.dense.Degree;
    if (factors == nullptr) return EndAsExhausted(e);
    const std::optional<exact::UniPoly> a = WholeCoefficients(e.dense.PolyCoef.data(), n);
    if (!a) return EndAsExhausted(e);
    const int from = std::max(s.TrialDegree, 1);
    for (int d = from; d <= n / 2; ++d) {
        const std::optional<std::vector<Candidate>> candidates = CandidatesOfDegree(*factors, *a, d);
        if (!candidates) return EndAsExhausted(e);
        if (candidates->empty()) continue;
        // The degrees the walk would have passed on its way there.
        for (int k = s.TrialDegree + 1; k <= d; ++k) e.report.DegreePassed(k);
        for (const Candidate& c : *candidates)
            if (std::optional<Step> next = Record(e, d, c)) return *next;
        s.TrialDegree = d;
    }
    return EndAsExhausted(e);
}

}  // namespace yinshi
