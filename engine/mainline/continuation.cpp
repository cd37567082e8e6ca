#include "mainline/continuation.hpp"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "exact/factorer.hpp"
#include "mainline/engine.hpp"
#include "platform/text_file.hpp"
#include "present/grouping.hpp"
#include "present/printing.hpp"
#include "results/certificate.hpp"

namespace yinshi {

namespace {

// Each split leaves one more factor, and a polynomial of degree n has at most n.
constexpr int kMaxSplits = 100;
constexpr std::int64_t kCoefLimitWhole = 9999999;
// Below 2^24 a float holds every integer, so a partial product shown is exact.
constexpr std::int64_t kExactFloat = 16777216;

struct Split {
    std::vector<float> g;  // ascending powers
    std::vector<float> q;
};

bool Fits(const exact::UniPoly& p, std::int64_t limit) {
    for (std::int64_t c : p)
        if (c > limit || c < -limit) return false;
    return true;
}

// f = g * q with g its first irreducible factor, when f splits and every
// number the working shows stays exact in the engine's floats.
std::optional<Split> SplitOf(const exact::Factorer& exact, const exact::MultiPoly& factor) {
    int degree = 0;
    for (const exact::Term& t : factor) {
        for (std::size_t j = 1; j < t.exp.size(); ++j)
            if (t.exp[j] != 0) return std::nullopt;
        degree = std::max(degree, t.exp[0]);
    }
    if (degree < 2 || degree > exact::kGuideMaxDegree) return std::nullopt;
    exact::UniPoly f(static_cast<std::size_t>(degree) + 1, 0);
    for (const exact::Term& t : factor) f[static_cast<std::size_t>(t.exp[0])] += t.coef;
    std::optional<exact::UniFactorization> parts = exact.Factor(f);
    if (!parts || parts->factors.empty()) return std::nullopt;
    const exact::UniPoly& g = parts->factors.front().poly;
    const int gd = static_cast<int>(g.size()) - 1;
    if (gd >= degree) return std::nullopt;  // irreducible (up to a constant)

    // q = f / g by long division; exact, since g divides f.
    exact::UniPoly rest = f;
    exact::UniPoly q(static_cast<std::size_t>(degree - gd) + 1, 0);
    for (int k = degree - gd; k >= 0; --k) {
        const std::int64_t top = rest[static_cast<std::size_t>(k + gd)];
        if (top % g.back() != 0) return std::nullopt;
        q[static_cast<std::size_t>(k)] = top / g.back();
        for (int j = 0; j <= gd; ++j) rest[static_cast<std::size_t>(k + j)] -= q[static_cast<std::size_t>(k)] * g[static_cast<std::size_t>(j)];
    }
    if (!Fits(g, kCoefLimitWhole) || !Fits(q, kCoefLimitWhole) || !Fits(f, kExactFloat)) return std::nullopt;
    for (std::int64_t a : g)
        for (std::int64_t b : q)
            if (a * b > kExactFloat || a * b < -kExactFloat) return std::nullopt;
    Split split;
    for (std::int64_t c : g) split.g.push_back(static_cast<float>(c));
    for (std::int64_t c : q) split.q.push_back(static_cast<float>(c));
    return split;
}

void Both(Engine& e, const std::string& text) {
    e.Print(text);
    e.jg.Write(text);
}

void EndBoth(Engine& e) {
    e.NewLine();
    e.jg.EndLine();
}

void PrintAscending(Engine& e, const std::vector<float>& p) {
    DenseForm& d = e.dense;
    for (std::size_t k = 0; k < p.size(); ++k) d.PolyWork[k] = p[k];
    d.PrintDegree = static_cast<std::int32_t>(p.size()) - 1;
    d.PrintShift = 0;
    e.run.PrintMode = 0;
    PrintDensePoly(e);
}

// The factor, the working of its split, the split, and the new product.
void ShowSplit(Engine& e, const std::string& product, const std::string& factor, const Split& s) {
    DenseForm& d = e.dense;
    e.PrintLine("因式 (" + factor + ") 还能分解:");
    e.PrintLine("The factor (" + factor + ") splits further:");
    Both(e, "(" + factor + ")");
    EndBoth(e);

    const std::int32_t gd = static_cast<std::int32_t>(s.g.size()) - 1;
    const std::int32_t qd = static_cast<std::int32_t>(s.q.size()) - 1;
    for (std::int32_t k = 0; k <= gd; ++k) e.search.TrialFactor[k] = s.g[k];
    for (std::int32_t k = 0; k <= qd; ++k) d.PolyWork[k] = s.q[k];
    d.FoundDeg = gd;
    d.CofactorDeg = qd;
    d.DegreeKeep = gd + qd;
    d.LowExp = 0;
    e.run.NoGroupingShown = 0;
    e.PrintLine("~~");
    e.jg.Write("=");
    WriteCollectedLine(e);
    e.jg.Write("=");
    WriteGroupedLine(e);

    Both(e, "=");
    PrintAscending(e, s.g);
    PrintAscending(e, s.q);
    EndBoth(e);

    // Every copy of the factor in the product is replaced by its split.
    Both(e, "=");
    const std::string whole = "(" + factor + ")";
    std::size_t pos = 0;
    for (std::size_t at; (at = product.find(whole, pos)) != std::string::npos; pos = at + whole.size()) {
        Both(e, product.substr(pos, at - pos));
        PrintAscending(e, s.g);
        PrintAscending(e, s.q);
    }
    Both(e, product.substr(pos));
    EndBoth(e);
}

}  // namespace

void SplitWhatRemains(Engine& e) {
    // The engine works on one variable here: a factor is then a polynomial in
    // the main variable, which the dense printer writes as the walk does.
    if (e.exact == nullptr || e.run.StopKey == "t" || e.vars.VarCount != 1) return;
    const std::vector<float> keptWork = e.dense.PolyWork;
    const std::vector<float> keptTrial = e.search.TrialFactor;
    bool opened = false;
    for (int round = 0; round < kMaxSplits; ++round) {
        if (opened) e.jg.Flush();
        std::optional<std::string> transcript = ReadWholeFile(e.File(e.run.ResultFile));
        if (!transcript) break;
        std::optional<std::string> product = LastProduct(*transcript);
        if (!product) break;
        std::optional<std::vector<ProductFactor>> factors = ReadProductLine(*product);
        if (!factors) break;
        const ProductFactor* chosen = nullptr;
        std::optional<Split> split;
        for (const ProductFactor& f : *factors) {
            split = SplitOf(*e.exact, f.poly);
            if (split) {
                chosen = &f;
                break;
            }
        }
        if (!chosen) break;
        const std::size_t longest = std::max(split->g.size(), split->q.size());
        if (e.dense.PolyWork.size() < longest || e.search.TrialFactor.size() < longest) break;
        if (!opened) {
            if (!e.jg.Append(e.File(e.run.ResultFile))) {
                e.FileFailed(e.run.ResultFile, true);
                break;
            }
            opened = true;
            e.run.Stage = 1;
        }
        ShowSplit(e, *product, chosen->text, *split);
    }
    if (opened) e.jg.Close();
    e.dense.PolyWork = keptWork;
    e.search.TrialFactor = keptTrial;
}

}  // namespace yinshi
