// Products in two and three variables: whatever the engine prints as the
// product multiplies back to the input, and every run ends within its limits.
#include <gtest/gtest.h>

#include <random>

#include "poly_check.hpp"
#include "run_support.hpp"

namespace yinshi::testing {
namespace {

Poly RandomFactor(std::mt19937& rng, int vars) {
    std::uniform_int_distribution<int> terms(2, 3), coef(-3, 3), exp(0, 2), var(0, vars - 1);
    Poly p;
    int n = terms(rng);
    for (int i = 0; i < n; ++i) {
        Monomial m{};
        for (int v = 0; v < vars; ++v) m[v] = exp(rng);
        int c = coef(rng);
        if (c == 0) c = 1;
        p[m] += c;
        if (p[m] == 0) p.erase(m);
    }
    return p;
}

std::string Text(const Poly& p) {
    std::string s;
    for (auto it = p.rbegin(); it != p.rend(); ++it) {
        long long c = it->second;
        s += c < 0 ? "-" : (s.empty() ? "" : "+");
        long long a = c < 0 ? -c : c;
        bool constant = true;
        for (int e : it->first) constant = constant && e == 0;
        if (a != 1 || constant) s += std::to_string(a);
        for (int v = 0; v < 26; ++v) {
            if (it->first[v] == 0) continue;
            s += static_cast<char>('a' + v);
            if (it->first[v] > 1) s += "^" + std::to_string(it->first[v]);
        }
    }
    return s;
}

TEST(SeveralVariablesProperty, EveryPrintedProductMultipliesBack) {
    std::mt19937 rng(7);
    int checked = 0;
    for (int round = 0; round < 200; ++round) {
        int vars = 2 + round % 2;
        Poly p = Multiply(RandomFactor(rng, vars), RandomFactor(rng, vars));
        if (p.size() < 2 || p.size() > 20) continue;
        std::string text = Text(p);
        SCOPED_TRACE(text);
        TestEngine t;
        // Every clock reading is a second later, so each search meets its time limit.
        t.clock.StepPerReading(1);
        RunOn(t, text);
        EXPECT_NE(t.screen.Log().find("Use the mouse to  close  the  window"), std::string::npos);
        auto product = TranscriptProduct(t.dir.Read("jg.dat"));
        if (!product) continue;
        EXPECT_EQ(ToString(*product), ToString(p)) << t.dir.Read("jg.dat");
        ++checked;
    }
    EXPECT_GT(checked, 120);
}

}  // namespace
}  // namespace yinshi::testing
