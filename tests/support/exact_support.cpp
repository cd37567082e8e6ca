#include "exact_support.hpp"

#include <algorithm>
#include <functional>

namespace yinshi::testing {

using exact::MultiFactorization;
using exact::MultiPoly;
using exact::Term;
using exact::UniFactorization;
using exact::UniPoly;

namespace {

__extension__ typedef __int128 Wide;  // exact sums of int64 products

bool Fits(Wide v) { return v >= INT64_MIN && v <= INT64_MAX; }

// Sums of products of two int64 values, with the 128-bit sum checked too.
bool AddProduct(Wide& acc, std::int64_t a, std::int64_t b) {
    return !__builtin_add_overflow(acc, static_cast<Wide>(a) * b, &acc);
}

bool CanNegate(const UniPoly& p) { return std::find(p.begin(), p.end(), INT64_MIN) == p.end(); }

bool CanNegate(const MultiPoly& p) {
    return std::none_of(p.begin(), p.end(), [](const Term& t) { return t.coef == INT64_MIN; });
}

}  // namespace

UniPoly Trimmed(UniPoly p) {
    while (!p.empty() && p.back() == 0) p.pop_back();
    return p;
}

std::optional<UniPoly> Multiply(const UniPoly& a0, const UniPoly& b0) {
    const UniPoly a = Trimmed(a0);
    const UniPoly b = Trimmed(b0);
    if (a.empty() || b.empty()) return UniPoly{};
    std::vector<Wide> acc(a.size() + b.size() - 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j)
            if (!AddProduct(acc[i + j], a[i], b[j])) return std::nullopt;
    UniPoly out;
    for (Wide v : acc) {
        if (!Fits(v)) return std::nullopt;
        out.push_back(static_cast<std::int64_t>(v));
    }
    return out;
}

std::optional<UniPoly> Expand(const UniFactorization& f) {
    std::optional<UniPoly> p = UniPoly{f.content};
    for (const auto& g : f.factors)
        for (int k = 0; k < g.multiplicity && p; ++k) p = Multiply(*p, g.poly);
    if (p) p = Trimmed(*p);
    return p;
}

namespace {

using Sums = std::map<exact::Exponents, Wide, std::greater<>>;

// The terms of summed coefficients, leading first, zeros left out; nullopt
// when a sum does not fit 64 bits.
std::optional<MultiPoly> FromSums(const Sums& sum) {
    MultiPoly out;
    for (const auto& [exp, c] : sum) {
        if (c == 0) continue;
        if (!Fits(c)) return std::nullopt;
        out.push_back({static_cast<std::int64_t>(c), exp});
    }
    return out;
}

}  // namespace

std::optional<MultiPoly> Canonical(const MultiPoly& p) {
    Sums sum;
    for (const Term& t : p) sum[t.exp] += t.coef;  // 2^64 terms would be needed to overflow
    return FromSums(sum);
}

std::optional<MultiPoly> Multiply(const MultiPoly& a, const MultiPoly& b) {
    Sums sum;
    for (const Term& s : a)
        for (const Term& t : b) {
            exact::Exponents e{};
            for (std::size_t j = 0; j < e.size(); ++j) e[j] = s.exp[j] + t.exp[j];
            if (!AddProduct(sum[e], s.coef, t.coef)) return std::nullopt;
        }
    return FromSums(sum);
}

std::optional<MultiPoly> Expand(const MultiFactorization& f) {
    std::optional<MultiPoly> p = MultiPoly{{f.content, {}}};
    for (const auto& g : f.factors)
        for (int k = 0; k < g.multiplicity && p; ++k) p = Multiply(*p, g.poly);
    return p;
}

UniPoly Negated(UniPoly p) {
    for (auto& c : p) c = -c;
    return p;
}

MultiPoly Negated(MultiPoly p) {
    for (auto& t : p) t.coef = -t.coef;
    return p;
}

// ---- FakeFactorer ----

FakeFactorer::MultiKey FakeFactorer::Key(const MultiPoly& canonical) {
    MultiKey k;
    for (const Term& t : canonical) k.emplace_back(t.exp, t.coef);
    return k;
}

bool FakeFactorer::Teach(const UniFactorization& f) {
    const auto product = Expand(f);
    if (!product || product->empty()) return false;
    uni_[*product] = f;
    for (const auto& g : f.factors) uni_[Trimmed(g.poly)] = UniFactorization{1, {{Trimmed(g.poly), 1}}};
    return true;
}

bool FakeFactorer::Teach(const MultiFactorization& f) {
    const auto product = Expand(f);
    if (!product || product->empty()) return false;
    multi_[Key(*product)] = f;
    for (const auto& g : f.factors) {
        const auto c = Canonical(g.poly);
        if (c) multi_[Key(*c)] = MultiFactorization{1, {{*c, 1}}};
    }
    return true;
}

std::optional<UniFactorization> FakeFactorer::Factor(const UniPoly& f0) const {
    ++calls_;
    const UniPoly f = Trimmed(f0);
    if (f.empty()) return std::nullopt;
    if (f.size() == 1) return UniFactorization{f[0], {}};
    if (const auto it = uni_.find(f); it != uni_.end()) return it->second;
    if (!CanNegate(f)) return std::nullopt;
    if (const auto it = uni_.find(Negated(f)); it != uni_.end() && it->second.content != INT64_MIN) {
        UniFactorization r = it->second;
        r.content = -r.content;
        return r;
    }
    return std::nullopt;
}

std::optional<MultiFactorization> FakeFactorer::Factor(const MultiPoly& f0) const {
    ++calls_;
    const auto f = Canonical(f0);
    if (!f || f->empty()) return std::nullopt;
    if (f->size() == 1 && f->front().exp == exact::Exponents{}) return MultiFactorization{f->front().coef, {}};
    if (const auto it = multi_.find(Key(*f)); it != multi_.end()) return it->second;
    if (!CanNegate(*f)) return std::nullopt;
    if (const auto it = multi_.find(Key(Negated(*f))); it != multi_.end() && it->second.content != INT64_MIN) {
        MultiFactorization r = it->second;
        r.content = -r.content;
        return r;
    }
    return std::nullopt;
}

std::optional<bool> FakeFactorer::IsIrreducible(const UniPoly& f) const {
    const auto r = Factor(f);
    if (!r) return Trimmed(f).empty() ? std::optional<bool>(false) : std::nullopt;
    return (r->content == 1 || r->content == -1) && r->factors.size() == 1 && r->factors[0].multiplicity == 1;
}

std::optional<bool> FakeFactorer::IsIrreducible(const MultiPoly& f) const {
    const auto r = Factor(f);
    if (!r) {
        const auto c = Canonical(f);
        return c && c->empty() ? std::optional<bool>(false) : std::nullopt;
    }
    return (r->content == 1 || r->content == -1) && r->factors.size() == 1 && r->factors[0].multiplicity == 1;
}

}  // namespace yinshi::testing
