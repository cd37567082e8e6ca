// The last check of a candidate factor, what happens to it once verified, and
// the store of candidate factors kept for a polynomial in several variables.
#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/grow.hpp"
#include "platform/number_form.hpp"
#include "search/dense_arith.hpp"
#include "search/exact_product.hpp"
#include "search/subsets.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

// The split as the checks leave it: TrialFactor(0..found), PolyWork(0..cofactor).
FoundSplit SplitAsFound(const Engine& e, int found, int cofactor, const DegreeFit& fit) {
    const auto& g = e.search.TrialFactor;
    const auto& q = e.dense.PolyWork;
    return {{g.begin(), g.begin() + found + 1},
            {q.begin(), q.begin() + cofactor + 1},
            found,
            cofactor,
            fit.Shift,
            fit.CofactorHighest};
}

void EmptyStore(Engine& e) {
    e.store.StoredCount = 0;
    e.store.StoredEnd = 0;
}

void AppendToStore(Engine& e, const std::vector<float>& g, int deg) {
    FactorStore& st = e.store;
    const int m = st.StoredCount + 1;
    const int from = RoundHalfEven(st.StoredEnd);
    AtLeast(st.Work2n, from + deg);
    AtLeast(st.StoredEndAt, m);
    AtLeast(st.StoredDeg, m);
    for (int k = 0; k <= deg; ++k) st.Work2n[from + k] = g[k];
    st.StoredEnd = static_cast<float>(from + deg + 1);
    st.StoredEndAt[0] = 0;
    st.StoredEndAt[m] = st.StoredEnd;
    st.StoredDeg[m] = static_cast<float>(deg);
    st.StoredCount = m;
}

void DropNewestStored(Engine& e) {
    FactorStore& st = e.store;
    st.StoredCount -= 1;
    st.StoredEnd = st.StoredEndAt[st.StoredCount];
}

// Keeps exactly the stored factors the subset walk has chosen, in the order
// chosen, at the front of the store.
void KeepChosenFactors(Engine& e, std::span<const int> chosen) {
    FactorStore& st = e.store;
    const int k = static_cast<int>(chosen.size());
    std::vector<float> coefs;
    std::vector<float> degs;
    for (const int m : chosen) {
        const int from = RoundHalfEven(st.StoredEndAt[m - 1]);
        const int to = RoundHalfEven(st.StoredEndAt[m]);
        coefs.insert(coefs.end(), st.Work2n.begin() + from, st.Work2n.begin() + to);
        degs.push_back(st.StoredDeg[m]);
    }
    std::copy(coefs.begin(), coefs.end(), st.Work2n.begin());
    int end = 0;
    for (int m = 1; m <= k; ++m) {
        end += RoundHalfEven(degs[static_cast<std::size_t>(m - 1)]) + 1;
        st.StoredEndAt[m] = static_cast<float>(end);
        st.StoredDeg[m] = degs[static_cast<std::size_t>(m - 1)];
    }
    st.StoredCount = k;
    st.StoredEnd = static_cast<float>(end);
}

// A division result, the factor TrialFactor(0..found) and the cofactor
// PolyWork(0..cofactor), is a split only when its two parts multiply back to
// the polynomial still to be factored; the divisions themselves test no
// remainder.
CheckResult CheckSplitOfKeep(Engine& e, int found, int cofactor) {
    DenseForm& d = e.dense;
    if (found + cofactor != d.DegreeKeep ||
        !ProductEquals(e.search.TrialFactor.data(), found, d.PolyWork.data(), cofactor, d.PolyKeep.data()))
        return {MethodOutcome::Kept, {}};
    return SplitIfInEveryLetter(e, found, cofactor);
}

// The kept polynomial divided by the product PolyWork(0..product), and
// whether that division is a split in every variable.
CheckResult SplitKeepByProduct(Engine& e, int product) {
    DenseForm& dn = e.dense;
    const int top = dn.DegreeKeep - product;
    AtLeast(e.search.TrialFactor, top);
    DivideExact(dn.PolyKeep, dn.DegreeKeep, dn.PolyWork, product, e.search.TrialFactor);
    return CheckSplitOfKeep(e, top, product);
}

}  // namespace

CheckResult SplitIfInEveryLetter(Engine& e, int found, int cofactor) {
    const std::optional<DegreeFit> fit = FitDegreeSplit(e, e.search.TrialFactor, found, e.dense.PolyWork, cofactor);
    if (!fit) return {MethodOutcome::Kept, {}};
    return {MethodOutcome::Split, SplitAsFound(e, found, cofactor, *fit)};
}

CheckResult VerifyUpperCoefficients(Engine& e, int d) {
    const DenseForm& dn = e.dense;
    if (!ProductMatches(e.search.TrialFactor, d, dn.PolyWork, dn.Degree, dn.PolyCoef)) return {};
    return AcceptFactor(e, d);
}

namespace {

// Several letters, a second or later factor of the image: is it a split of
// the kept polynomial together with the stored ones, alone, or with some of
// them? Kept when none is.
CheckResult CombineWithStored(Engine& e, int d) {
    DenseForm& dn = e.dense;
    // The product of every stored factor, against the cofactor.
    CheckResult all = SplitKeepByProduct(e, dn.Degree);
    if (all.Outcome == MethodOutcome::Split) {
        EmptyStore(e);
        return all;
    }

    // The newest factor alone.
    const FactorStore& st = e.store;
    const int from = RoundHalfEven(st.StoredEndAt[st.StoredCount - 1]);
    for (int k = 0; k <= d; ++k) e.search.TrialFactor[k] = st.Work2n[from + k];
    const int top = dn.DegreeKeep - d;
    AtLeast(dn.PolyWork, top);
    DivideFromLowEnd(dn.PolyKeep, dn.DegreeKeep, e.search.TrialFactor, d, top, dn.PolyWork);
    CheckResult newest = CheckSplitOfKeep(e, d, top);
    if (newest.Outcome == MethodOutcome::Split) {
        DropNewestStored(e);
        return newest;
    }

    if (e.store.StoredCount == 2) return {MethodOutcome::Kept, {}};

    // Some of the older factors together with the newest.
    AtLeast(dn.PolyWork, dn.Degree);
    for (int k = 0; k <= dn.Degree; ++k) dn.PolyWork[k] = dn.PolyCoef[k];
    return CombineStoredFactors(e, e.store.StoredCount - 1, d);
}

}  // namespace

CheckResult AcceptFactor(Engine& e, int d) {
    DenseForm& dn = e.dense;
    const int n = dn.Degree;
    e.report.FactorAccepted();

    if (e.run.Skipped == 1) return SplitIfInEveryLetter(e, d, n - d);

    dn.Degree = n - d;
    for (int k = 0; k <= n - d; ++k) dn.PolyCoef[k] = dn.PolyWork[k];
    // One letter: no shift to find, and the highest exponent stays as it was.
    if (e.vars.VarCount <= 1) return {MethodOutcome::Split, SplitAsFound(e, d, n - d, {0, e.vars.VarMaxExp})};

    AppendToStore(e, e.search.TrialFactor, d);
    if (e.store.StoredCount == 1) {
        CheckResult r = SplitIfInEveryLetter(e, d, n - d);
        if (r.Outcome == MethodOutcome::Split) EmptyStore(e);
        return r;
    }
    return CombineWithStored(e, d);
}

std::optional<FoundSplit> CombinationDivideAndTest(Engine& e, std::span<const int> chosen, int prodDeg) {
    DenseForm& dn = e.dense;
    CheckResult r = SplitKeepByProduct(e, prodDeg);
    if (r.Outcome == MethodOutcome::Split) {
        KeepChosenFactors(e, chosen);
        return std::move(r.Split);
    }
    for (int k = 0; k <= dn.Degree; ++k) dn.PolyWork[k] = dn.PolyCoef[k];
    return std::nullopt;
}

}  // namespace yinshi
