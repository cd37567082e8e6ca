// Over many seeded random products, every factorisation the engine writes
// multiplies back to its input exactly.
#include <gtest/gtest.h>

#include <random>

#include "poly_check.hpp"
#include "run_support.hpp"

namespace yinshi::testing {
namespace {

std::vector<long long> RandomFactor(std::mt19937& rng, int degree) {
    std::uniform_int_distribution<int> coef(-4, 4);
    std::vector<long long> f(static_cast<std::size_t>(degree) + 1);
    for (auto& c : f) c = coef(rng);
    while (f.back() == 0) f.back() = coef(rng);
    return f;
}

std::vector<long long> Times(const std::vector<long long>& a, const std::vector<long long>& b) {
    std::vector<long long> out(a.size() + b.size() - 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) out[i + j] += a[i] * b[j];
    return out;
}

std::string Text(const std::vector<long long>& p, char var) {
    std::string s;
    for (int k = static_cast<int>(p.size()) - 1; k >= 0; --k) {
        long long c = p[static_cast<std::size_t>(k)];
        if (c == 0) continue;
        if (c < 0)
            s += "-";
        else if (!s.empty())
            s += "+";
        long long a = c < 0 ? -c : c;
        if (a != 1 || k == 0) s += std::to_string(a);
        if (k > 0) s += var;
        if (k > 1) s += "^" + std::to_string(k);
    }
    return s;
}

TEST(ProductProperty, EveryPrintedFactorisationOfOneVariableMultipliesBack) {
    std::mt19937 rng(20261208);
    int checked = 0;
    for (int round = 0; round < 300; ++round) {
        std::uniform_int_distribution<int> parts(1, 3), deg(1, 3);
        std::vector<long long> p{1};
        int total = 0;
        int n = parts(rng);
        for (int i = 0; i < n && total < 8; ++i) {
            int d = std::min(deg(rng), 8 - total);
            p = Times(p, RandomFactor(rng, d));
            total += d;
        }
        std::string text = Text(p, 'x');
        if (text.empty() || text.find('x') == std::string::npos) continue;
        SCOPED_TRACE(text);
        TestEngine t;
        RunOn(t, text);
        std::string jg = t.dir.Read("jg.dat");
        auto product = TranscriptProduct(jg);
        if (!product) continue;
        auto input = ParsePoly(text);
        ASSERT_TRUE(input);
        EXPECT_EQ(ToString(*product), ToString(*input)) << jg;
        ++checked;
    }
    EXPECT_GT(checked, 200);
}

}  // namespace
}  // namespace yinshi::testing
