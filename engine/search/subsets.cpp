#include "search/subsets.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "platform/grow.hpp"
#include "platform/number_form.hpp"
#include "platform/text_file.hpp"
#include "search/dense_arith.hpp"
#include "search/k_subsets.hpp"
#include "search/stop_check.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

// A pl file holds the orders of at most seven letters: 5,040 lines of 23 bytes.
constexpr std::size_t kPlFileCap = std::size_t{1} << 20;
// Groups tried before the combination starts to read the keys and the clock:
// a short one never does, so it sees the keys exactly where the walk does.
constexpr long long kQuietGroups = 4096;

}  // namespace

CheckResult CombineStoredFactors(Engine& e, int n, int degree) {
    e.report.CombinationBegun();
    std::optional<FoundSplit> found;
    long long groups = 0;
    // The empty subset would only divide by the polynomial itself.
    for (int k = 1; k <= n - 1; ++k) {
        bool first = true;
        // Each subset multiplies from the reduced polynomial: a failed test
        // leaves PolyWork(0..Degree) as it was.
        int prodDeg = e.dense.Degree;
        auto multiply = [&](int /*pos*/, int item) {
            prodDeg = CombinationMultiplyItem(e, item, prodDeg);
            return false;
        };
        auto divide = [&](std::span<const int> chosen) {
            // Each group costs about a position; past the budget exact
            // factoring takes over here too.
            SearchState& s = e.search;
            if (++s.PolyPositions > s.PositionBudget) s.BudgetSpent = true;
            if (s.BudgetSpent || (++groups > kQuietGroups && e.poller.Due() && PollKeysAndClock(e, degree))) {
                s.ChecksStopped = true;
                return true;
            }
            if (first) e.report.GroupSizeBegun();
            found = CombinationDivideAndTest(e, chosen, prodDeg);
            if (found) return true;
            prodDeg = e.dense.Degree;
            if (first) e.report.FirstGroupOfSizeFailed();
            first = false;
            return false;
        };
        if (ForEachKSubset(n, k, multiply, divide)) {
            // Stopped: the reduced polynomial again, as after a group that failed.
            if (e.search.ChecksStopped)
                for (int i = 0; i <= e.dense.Degree; ++i) e.dense.PolyWork[i] = e.dense.PolyCoef[i];
            break;
        }
    }
    if (found) return {MethodOutcome::Split, *found};
    return {MethodOutcome::Kept, {}};
}

VariableOrder OrderVariables(Engine& e, int count) {
    BuildPlFiles(e, count);
    if (e.fault) return {};
    return ChooseVariableOrder(e);
}

namespace {

void WritePermutation(TextOut& out, const std::vector<float>& perm, int m) {
    for (int i = 1; i <= m; ++i) out.Write(ItemForm(perm[i]));
    out.EndLine();
}

}  // namespace

void BuildPlFiles(Engine& e, int k) {
    OrderFiles& s = e.orderFiles;
    std::vector<float> perm(static_cast<std::size_t>(std::max(k, 1)) + 1, 0.0f);
    std::string plIn = "pl1";
    s.PlOut = "pl2";
    // An order chosen from a file that was not written whole would be no
    // order at all: the first failure is kept and ends the run.
    auto written = [&](TextOut& out, const std::string& name) {
        out.Close();
        if (!out.Good()) e.FileFailed(name, true);
        return out.Good();
    };
    for (const std::string& name : {plIn, s.PlOut}) {
        TextOut out;
        out.Create(e.File(name));
        out.Write(ItemForm(1));
        out.EndLine();
        if (!written(out, name)) return;
    }
    int permCount = 1;
    for (int m = 2; m <= k; ++m) {
        permCount *= m - 1;
        std::swap(plIn, s.PlOut);
        TextIn in;
        if (!in.Open(e.File(plIn), kPlFileCap)) {
            e.FileFailed(plIn, false);
            return;
        }
        TextOut out;
        out.Create(e.File(s.PlOut));
        for (int line = 1; line <= permCount; ++line) {
            for (int i = 1; i < m; ++i) perm[i] = in.Number().value_or(0.0f);
            perm[m] = static_cast<float>(m);
            WritePermutation(out, perm, m);
            for (int t = 1; t < m; ++t) {
                std::swap(perm[t], perm[m]);
                WritePermutation(out, perm, m);
                std::swap(perm[t], perm[m]);
            }
        }
        if (!written(out, s.PlOut)) return;
    }
}

namespace {

// Image exponent of every term for the order order[1..k] with weights
// weight[1..k]: the weighted sum of the term's exponents. Returns the spread
// (largest - smallest), the degree of the image.
template <typename Order, typename Weight>
float FillImage(Engine& e, int k, const Order& order, const Weight& weight) {
    TermTable& t = e.terms;
    const int terms = t.TermCount;
    AtLeast(t.TermMainExp, std::max(terms, 0));
    float low = 0;
    float high = 0;
    for (int i = 1; i <= terms; ++i) {
        double sum = 0;
        for (int m = 1; m <= k; ++m) {
            int v = RoundHalfEven(order[m]);
            sum += static_cast<double>(weight[m]) * t.TermExp(i, v);
        }
        auto image = static_cast<float>(sum);
        t.TermMainExp[i] = image;
        if (i == 1 || image < low) low = image;
        if (i == 1 || image > high) high = image;
    }
    return high - low;
}

// The weights of an order, per place 1..k.
using Weights = std::array<std::int32_t, kMaxVars + 1>;

// Weights of an order: variable m weighs the product of (highest exponent + 1)
// over the variables before it. Kept in 32 bits, saturating rather than
// wrapping when the exponents are absurdly high.
Weights OrderWeights(const Engine& e, int k) {
    const VarTable& v = e.vars;
    Weights weight{};
    weight[0] = 1;
    long long w = 1;
    for (int m = 1; m <= k; ++m) {
        if (m > 1) {
            int before = RoundHalfEven(v.VarOrder[m - 1]);
            long long factor = RoundHalfEven(v.VarMaxExpKeep[before]) + 1LL;
            w = std::min<long long>(w * std::max(factor, 1LL), INT32_MAX);
        }
        weight[static_cast<std::size_t>(m)] = static_cast<std::int32_t>(w);
    }
    return weight;
}

// Reads the next order of the pl file into VarOrder(k), ..., VarOrder(1);
// false when the file has no complete, valid line left.
bool ReadOrder(Engine& e, TextIn& in, int k) {
    for (int m = k; m >= 1; --m) {
        std::optional<float> number = in.Number();
        // The engine writes whole letter numbers; anything else is a damaged file.
        if (!number || !IsWhole(*number)) return false;
        int v = RoundHalfEven(*number);
        if (v < 1 || v > k) return false;
        e.vars.VarOrder[m] = *number;
    }
    return true;
}

// The first order is kept whatever its score: when every image is past the
// starting score, the order kept must still be a real one, so that the degree
// check sees its true image degree instead of stale weights.
void ScoreOrder(Engine& e, int k, bool first, VariableOrder& best) {
    const Weights weight = OrderWeights(e, k);
    float spread = FillImage(e, k, e.vars.VarOrder, weight);
    e.dense.Degree = RoundHalfEven(spread);
    if (first || spread < best.spread) {
        best.spread = spread;
        for (int j = 1; j <= k; ++j) {
            best.order[j] = e.vars.VarOrder[j];
            best.weight[j] = static_cast<float>(weight[static_cast<std::size_t>(j)]);
        }
    }
}

}  // namespace

VariableOrder ChooseVariableOrder(Engine& e) {
    const int k = std::clamp(e.vars.VarCount, 0, kMaxVars);
    AtLeast(e.vars.VarOrder, k);
    VariableOrder best;

    TextIn in;
    if (!in.Open(e.File(e.orderFiles.PlOut), kPlFileCap) && k > 1) e.FileFailed(e.orderFiles.PlOut, false);
    e.vars.VarOrder[0] = 0;
    long long lines = 1;
    for (int m = 2; m <= k; ++m) lines *= m;
    bool scored = false;
    for (long long line = 0; line < lines; ++line) {
        if (!ReadOrder(e, in, k)) break;
        ScoreOrder(e, k, !scored, best);
        scored = true;
    }
    if (!scored) {
        // Without a readable pl file (an unwritable folder) the parser's order
        // still gives a true image; an unset order would not.
        for (int m = 1; m <= k; ++m) e.vars.VarOrder[m] = static_cast<float>(m);
        ScoreOrder(e, k, true, best);
    }

    // The driver goes on with the order kept, so the image it reads must be
    // that order's, not the last one scored.
    FillImage(e, k, best.order, best.weight);
    e.dense.Degree = RoundHalfEven(best.spread);
    return best;
}

}  // namespace yinshi
