#include "mainline/continuation.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "exact/factorer.hpp"
#include "present/grouping.hpp"
#include "present/printing.hpp"
#include "results/certificate.hpp"
#include "state/engine.hpp"
#include "state/exact_notice.hpp"
#include "transcript_format/product_line.hpp"

namespace yinshi {

namespace {

// Each split leaves one more factor, and a polynomial of degree n has at most n.
constexpr int kMaxSplits = 100;

// Exponents by the engine's parsed variable number, 1..kMaxVars.
using VarExps = std::array<int, kMaxVars + 1>;
using Poly = std::map<VarExps, std::int64_t>;

// A polynomial as the dense printer takes it: image powers shift + k.
struct Image {
    std::vector<float> dense;  // ascending
    std::int32_t shift = 0;
};

struct Split {
    Image g;
    Image q;
};

// The letters of the product line as the engine's parsed variables, and the
// weights that make every image power of every factor stand for one monomial.
struct Letters {
    std::array<int, exact::kMaxVariables> var{};  // slot -> parsed variable number
    std::array<std::int64_t, kMaxVars + 1> weight{};
    int count = 0;
};

std::optional<Letters> LettersOf(const Engine& e, const std::string& letters,
                                 const std::vector<ProductFactor>& factors) {
    Letters out;
    out.count = std::min(e.vars.ParsedVarCount, kMaxVars);
    for (std::size_t slot = 0; slot < letters.size(); ++slot) {
        int found = 0;
        for (int j = 1; j <= out.count; ++j)
            if (e.vars.VarNameParsed[static_cast<std::size_t>(j)] == std::string(1, letters[slot])) found = j;
        if (found == 0) return std::nullopt;
        out.var[slot] = found;
    }
    std::array<int, kMaxVars + 1> high{};
    for (const ProductFactor& f : factors)
        for (const exact::Term& t : f.poly)
            for (std::size_t slot = 0; slot < letters.size(); ++slot)
                high[static_cast<std::size_t>(out.var[slot])] =
                    std::max(high[static_cast<std::size_t>(out.var[slot])], t.exp[slot]);
    std::int64_t w = 1;
    for (int j = 1; j <= out.count; ++j) {
        out.weight[static_cast<std::size_t>(j)] = w;
        w *= high[static_cast<std::size_t>(j)] + 1;
        if (w > kCoefLimitWhole) return std::nullopt;
    }
    return out;
}

Poly ToVars(const exact::MultiPoly& f, const Letters& l) {
    Poly out;
    for (const exact::Term& t : f) {
        VarExps x{};
        for (std::size_t slot = 0; slot < t.exp.size(); ++slot)
            if (t.exp[slot] != 0) x[static_cast<std::size_t>(l.var[slot])] = t.exp[slot];
        out[x] += t.coef;
    }
    return out;
}

std::optional<Poly> Times(const Poly& a, const Poly& b) {
    Poly out;
    for (const auto& [xa, ca] : a)
        for (const auto& [xb, cb] : b) {
            VarExps x{};
            for (std::size_t j = 0; j < x.size(); ++j) x[j] = xa[j] + xb[j];
            std::int64_t c = 0;
            if (__builtin_mul_overflow(ca, cb, &c) || __builtin_add_overflow(out[x], c, &out[x])) return std::nullopt;
        }
    std::erase_if(out, [](const auto& term) { return term.second == 0; });
    return out;
}

std::optional<Image> ImageOf(const Poly& p, const Letters& l, std::size_t room) {
    std::int64_t low = INT64_MAX, high = 0;
    auto power = [&](const VarExps& x) {
        std::int64_t s = 0;
        for (int j = 1; j <= l.count; ++j) s += l.weight[static_cast<std::size_t>(j)] * x[static_cast<std::size_t>(j)];
        return s;
    };
    for (const auto& [x, c] : p) {
        if (c > kCoefLimitWhole || c < -kCoefLimitWhole) return std::nullopt;
        low = std::min(low, power(x));
        high = std::max(high, power(x));
    }
    if (p.empty() || high - low + 1 > static_cast<std::int64_t>(room)) return std::nullopt;
    Image out;
    out.shift = static_cast<std::int32_t>(low);
    out.dense.assign(static_cast<std::size_t>(high - low) + 1, 0.0f);
    for (const auto& [x, c] : p) out.dense[static_cast<std::size_t>(power(x) - low)] = static_cast<float>(c);
    return out;
}

// Only a polynomial within the exact factorer's limits is worth factoring,
// and one of degree below 2 cannot split.
bool WorthFactoring(const exact::MultiPoly& f) { return exact::TotalDegree(f) >= 2 && exact::WithinLimits(f); }

// The content and every factor with its multiplicity, less one copy of the
// first factor; nullopt when a number overflows.
std::optional<Poly> RestOf(const exact::MultiFactorization& parts, const Letters& l) {
    std::optional<Poly> q = Poly{{VarExps{}, parts.content}};
    for (std::size_t i = 0; i < parts.factors.size() && q; ++i) {
        const Poly fi = ToVars(parts.factors[i].poly, l);
        for (int m = i == 0 ? 1 : 0; m < parts.factors[i].multiplicity && q; ++m) q = Times(*q, fi);
    }
    return q;
}

// The working multiplies every number of g by every number of q: each
// product must be exact in the engine's floats, the largest of them the
// product of the two largest numbers.
bool ProductsExact(const Image& g, const Image& q) {
    auto largest = [](const std::vector<float>& v) {
        double most = 0;
        for (float a : v) most = std::max(most, std::fabs(static_cast<double>(a)));
        return most;
    };
    return largest(g.dense) * largest(q.dense) <= static_cast<double>(kExactLimit);
}

// The factorisations of the rests already shown, in the engine's parsed
// variables: the next round finds the rest on the product line and splits
// it without factoring it again, however far past the limits of exact
// factoring it is (x^720 - 1 leaves a rest of degree 719 after x - 1).
struct KnownPart {
    Poly poly;
    int multiplicity = 1;
};
struct KnownParts {
    std::int64_t content = 1;
    std::vector<KnownPart> parts;
};
using Known = std::map<Poly, KnownParts>;

// p in the slots of the product line's letters; nullopt when a letter is missing.
std::optional<exact::MultiPoly> InSlots(const Poly& p, const Letters& l) {
    exact::MultiPoly out;
    for (const auto& [x, c] : p) {
        exact::Term t{c, {}};
        for (int j = 1; j <= kMaxVars; ++j) {
            if (x[static_cast<std::size_t>(j)] == 0) continue;
            int slot = -1;
            for (std::size_t k = 0; k < l.var.size(); ++k)
                if (l.var[k] == j) slot = static_cast<int>(k);
            if (slot < 0) return std::nullopt;
            t.exp[static_cast<std::size_t>(slot)] = x[static_cast<std::size_t>(j)];
        }
        out.push_back(t);
    }
    std::sort(out.begin(), out.end(), [](const exact::Term& a, const exact::Term& b) { return a.exp > b.exp; });
    return out;
}

std::optional<exact::MultiFactorization> Recall(const Known& known, const Poly& f, const Letters& l) {
    const auto it = known.find(f);
    if (it == known.end()) return std::nullopt;
    exact::MultiFactorization out;
    out.content = it->second.content;
    for (const KnownPart& part : it->second.parts) {
        std::optional<exact::MultiPoly> p = InSlots(part.poly, l);
        if (!p) return std::nullopt;
        out.factors.push_back({std::move(*p), part.multiplicity});
    }
    return out;
}

// What is left of a factorisation once its first factor is taken once.
KnownParts RestParts(const exact::MultiFactorization& parts, const Letters& l) {
    KnownParts out;
    out.content = parts.content;
    for (std::size_t i = 0; i < parts.factors.size(); ++i) {
        const int m = parts.factors[i].multiplicity - (i == 0 ? 1 : 0);
        if (m > 0) out.parts.push_back({ToVars(parts.factors[i].poly, l), m});
    }
    return out;
}

// f = g * q with g its first irreducible factor and q the rest, when f splits
// and every number the working shows stays exact in the engine's floats.
std::optional<Split> SplitOf(Engine& e, const exact::MultiPoly& f, const Letters& l, std::size_t room, Known& known) {
    std::optional<exact::MultiFactorization> parts = Recall(known, ToVars(f, l), l);
    if (!parts) {
        if (!WorthFactoring(f)) return std::nullopt;
        const ExactNotice notice(e, exact::MayTakeLong(f));
        parts = e.exact->Factor(f);
    }
    if (!parts || parts->factors.empty()) return std::nullopt;
    if (parts->factors.size() == 1 && parts->factors[0].multiplicity == 1) return std::nullopt;
    std::optional<Poly> q = RestOf(*parts, l);
    if (!q) return std::nullopt;
    std::optional<Image> gi = ImageOf(ToVars(parts->factors[0].poly, l), l, room);
    std::optional<Image> qi = ImageOf(*q, l, room);
    if (!gi || !qi || !ProductsExact(*gi, *qi)) return std::nullopt;
    known[*q] = RestParts(*parts, l);
    return Split{*gi, *qi};
}

void PrintImage(const Output& out, const ImageLetters& letters, const Image& p) {
    PrintDensePoly(out, letters, p.dense, static_cast<int>(p.dense.size()) - 1, p.shift);
}

// The product line with a factor's copies written as its split g q.
class SplitInProduct final : public ReplacedFactorOut {
public:
    SplitInProduct(const Output& out, const ImageLetters& letters, const Split& s)
        : out_(out), letters_(letters), s_(s) {}
    void Text(std::string_view text) override { out_.Both(text); }
    void Replacement() override {
        PrintImage(out_, letters_, s_.g);
        PrintImage(out_, letters_, s_.q);
    }

private:
    const Output& out_;
    const ImageLetters& letters_;
    const Split& s_;
};

// The factor, the working of its split, the split, and the new product.
void ShowSplit(Engine& e, const ImageLetters& letters, const std::string& product, const std::string& factor,
               const Split& s) {
    e.PrintLine("因式 (" + factor + ") 还能分解:");
    e.PrintLine("The factor (" + factor + ") splits further:");
    const Output out = OutputOf(e, PrintTarget::ScreenAndTranscript);
    out.Both(Parenthesised(factor));
    out.EndLine();

    const std::int32_t gd = static_cast<std::int32_t>(s.g.dense.size()) - 1;
    const std::int32_t qd = static_cast<std::int32_t>(s.q.dense.size()) - 1;
    const ImageReading reading{letters, gd + qd, static_cast<float>(s.g.shift + s.q.shift)};
    e.run.NoGroupingShown = false;
    e.PrintLine("~~");
    const DenseSplit working{s.g.dense, gd, s.q.dense, qd};
    out.InTranscript("=");
    WriteCollectedLine(e, working, reading);
    out.InTranscript("=");
    WriteGroupedLine(e, working, reading);

    out.Both("=");
    PrintImage(out, letters, s.g);
    PrintImage(out, letters, s.q);
    out.EndLine();

    // Every copy of the factor in the product is replaced by its split; a
    // product that was this factor alone is the split just shown.
    if (product == Parenthesised(factor)) return;
    out.Both("=");
    SplitInProduct inProduct(out, letters, s);
    WriteReplacingFactor(product, factor, inProduct);
    out.EndLine();
}

// The product the transcript now ends with, and its first factor that
// still splits, with the letters it is printed in.
struct NextSplit {
    std::string product;
    std::string factor;
    Split split;
    Letters letters;
};

std::optional<NextSplit> FindNextSplit(Engine& e, std::size_t room, Known& known) {
    // Nothing goes on from a transcript that could not be written.
    if (!e.jg.Ending() || !e.jg.Ending()->LastProduct()) return std::nullopt;
    const std::string product = *e.jg.Ending()->LastProduct();
    std::string letters;
    std::optional<std::vector<ProductFactor>> factors = ReadProductLine(product, &letters);
    if (!factors) return std::nullopt;
    std::optional<Letters> l = LettersOf(e, letters, *factors);
    if (!l) return std::nullopt;
    for (const ProductFactor& f : *factors)
        if (std::optional<Split> split = SplitOf(e, f.poly, *l, room, known))
            return NextSplit{product, f.text, std::move(*split), *l};
    return std::nullopt;
}

// The printer works in the letters as parsed, with the split's own weights.
ImageLetters PrintedLetters(const VarTable& vars, const Letters& l) {
    ImageLetters out = LettersOf(vars);
    out.count = l.count;
    for (int j = 1; j <= l.count; ++j) {
        out.names[static_cast<std::size_t>(j)] = vars.VarNameParsed[static_cast<std::size_t>(j)];
        out.weights[static_cast<std::size_t>(j)] = static_cast<std::int32_t>(l.weight[static_cast<std::size_t>(j)]);
    }
    return out;
}

}  // namespace

void SplitWhatRemains(Engine& e) {
    if (e.exact == nullptr || e.run.StoppedBy == StoppedBy::KeyT) return;
    // The images' degree is bounded; the weights of the product's own letters
    // can make it higher than the walk's.
    constexpr std::size_t room = 100000;
    bool opened = false;
    Known known;
    for (int round = 0; round < kMaxSplits; ++round) {
        std::optional<NextSplit> next = FindNextSplit(e, room, known);
        if (!next) break;
        if (!opened) {
            if (!e.jg.Append(e.File(e.run.ResultFile))) {
                e.FileFailed(e.run.ResultFile, true);
                break;
            }
            opened = true;
            e.run.FactorFound = true;
            e.run.SplitAfterSearch = true;
        }
        ShowSplit(e, PrintedLetters(e.vars, next->letters), next->product, next->factor, next->split);
    }
    if (opened) e.jg.Close();
}

}  // namespace yinshi
