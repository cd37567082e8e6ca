#pragma once
// Checked arithmetic on the exact-factoring layer's plain types, and a fake
// Factorer that knows only the products it was told about.
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "exact/factorer.hpp"

namespace yinshi::testing {

// Nullopt when a coefficient leaves std::int64_t. Results carry no zero
// coefficients at the top; multi-variable results are in canonical order.
std::optional<exact::UniPoly> Multiply(const exact::UniPoly& a, const exact::UniPoly& b);
std::optional<exact::UniPoly> Expand(const exact::UniFactorization& f);
exact::UniPoly Trimmed(exact::UniPoly p);
// Like terms added, zero terms dropped, exponent vectors strictly decreasing.
std::optional<exact::MultiPoly> Canonical(const exact::MultiPoly& p);
std::optional<exact::MultiPoly> Multiply(const exact::MultiPoly& a, const exact::MultiPoly& b);
std::optional<exact::MultiPoly> Expand(const exact::MultiFactorization& f);
exact::UniPoly Negated(exact::UniPoly p);
exact::MultiPoly Negated(exact::MultiPoly p);

// Factors only what it was taught: each taught product and each factor of it
// (as irreducible), and their negatives; constants it knows by themselves.
// Anything else is "not available".
class FakeFactorer final : public exact::Factorer {
public:
    // False (and nothing learnt) when the product does not fit std::int64_t.
    bool Teach(const exact::UniFactorization& f);
    bool Teach(const exact::MultiFactorization& f);

    std::optional<exact::UniFactorization> Factor(const exact::UniPoly& f) const override;
    std::optional<exact::MultiFactorization> Factor(const exact::MultiPoly& f) const override;
    std::optional<bool> IsIrreducible(const exact::UniPoly& f) const override;
    std::optional<bool> IsIrreducible(const exact::MultiPoly& f) const override;
    int Calls() const { return calls_; }  // every question asked, answered or not

private:
    using MultiKey = std::vector<std::pair<exact::Exponents, std::int64_t>>;
    static MultiKey Key(const exact::MultiPoly& canonical);
    std::map<exact::UniPoly, exact::UniFactorization> uni_;
    std::map<MultiKey, exact::MultiFactorization> multi_;
    mutable int calls_ = 0;
};

}  // namespace yinshi::testing
