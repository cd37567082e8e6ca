#pragma once
// Seeded random products of small integer factors, with repeated factors and
// contents, for the exact-factoring property tests.
#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "exact_support.hpp"

namespace yinshi::testing {

// A product as it was built: content times each part to its multiplicity.
// The parts need not be irreducible.
template <typename Poly>
struct Built {
    std::int64_t content;
    std::vector<std::pair<Poly, int>> parts;
    Poly product;
};

class Products {
public:
    explicit Products(std::uint64_t seed) : rng_(seed) {}

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    std::int64_t Content() {
        static constexpr std::int64_t kContents[] = {1, 1, 1, 1, 2, 3, 6, 12, 35};
        const auto c = kContents[Uniform(0, 8)];
        return Uniform(0, 1) ? c : -c;
    }

    // Degree 1..4, coefficients in -9..9, now and then the factor x.
    exact::UniPoly UniFactor() {
        if (Uniform(0, 19) == 0) return {0, 1};
        exact::UniPoly g(static_cast<std::size_t>(Uniform(1, 4)) + 1);
        for (auto& c : g) c = Uniform(-9, 9);
        while (g.back() == 0) g.back() = Uniform(-9, 9);
        return g;
    }

    Built<exact::UniPoly> Uni() {
        Built<exact::UniPoly> b{Content(), {}, {}};
        auto product = exact::UniPoly{b.content};
        const int parts = Uniform(1, 4);
        for (int k = 0; k < parts; ++k) {
            const int mult = Uniform(0, 3) == 0 ? Uniform(2, 3) : 1;
            b.parts.emplace_back(UniFactor(), mult);
            for (int m = 0; m < mult; ++m) product = *Multiply(product, b.parts.back().first);
        }
        b.product = product;
        return b;
    }

    // nvars distinct exponent slots out of the seven, ascending.
    std::vector<int> Slots(int nvars) {
        std::vector<int> all{0, 1, 2, 3, 4, 5, 6};
        std::shuffle(all.begin(), all.end(), rng_);
        all.resize(static_cast<std::size_t>(nvars));
        std::sort(all.begin(), all.end());
        return all;
    }

    // 1..4 terms, exponents 0..2 in each of the given slots, coefficients in
    // -9..9; never a constant; now and then a single variable.
    exact::MultiPoly MultiFactor(const std::vector<int>& slots) {
        if (Uniform(0, 14) == 0) {
            exact::Term t{1, {}};
            t.exp[static_cast<std::size_t>(
                slots[static_cast<std::size_t>(Uniform(0, static_cast<int>(slots.size()) - 1))])] = 1;
            return {t};
        }
        for (;;) {
            exact::MultiPoly g;
            const int terms = Uniform(1, 4);
            for (int k = 0; k < terms; ++k) {
                exact::Term t{Uniform(-9, 9), {}};
                for (int s : slots) t.exp[static_cast<std::size_t>(s)] = Uniform(0, 2);
                g.push_back(t);
            }
            g = *Canonical(g);
            const bool constant = g.empty() || (g.size() == 1 && g[0].exp == exact::Exponents{});
            if (!constant) return g;
        }
    }

    Built<exact::MultiPoly> Multi(int nvars) {
        const auto slots = Slots(nvars);
        Built<exact::MultiPoly> b{Content(), {}, {}};
        exact::MultiPoly product{{b.content, {}}};
        const int parts = Uniform(1, 3);
        for (int k = 0; k < parts; ++k) {
            const int mult = Uniform(0, 3) == 0 ? 2 : 1;
            b.parts.emplace_back(MultiFactor(slots), mult);
            for (int m = 0; m < mult; ++m) product = *Multiply(product, b.parts.back().first);
        }
        b.product = product;
        // Hand the terms over in a shuffled order, one of them split in two
        // like terms, as a caller might.
        std::shuffle(b.product.begin(), b.product.end(), rng_);
        if (Uniform(0, 1) && b.product[0].coef > 1) {
            b.product[0].coef -= 1;
            b.product.push_back({1, b.product[0].exp});
        }
        return b;
    }

private:
    std::mt19937_64 rng_;
};

}  // namespace yinshi::testing
