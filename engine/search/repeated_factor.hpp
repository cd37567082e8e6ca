#pragma once
#include <optional>
#include <vector>

namespace yinshi {

struct Engine;

// A repeated factor of f (degree n): G = gcd(f, f') of degree m in g(0..m),
// and the cofactor Q = f / G in q(0..n - m).
struct RepeatedSplit {
    int m = 0;
    int n = 0;
    std::vector<float> g;
    std::vector<float> q;
};

// gcd(f, f') of PolyKeep: the split when f has a repeated factor. Shows
// nothing; the caller decides what is shown.
std::optional<RepeatedSplit> FindRepeatedFactor(Engine& e);

}  // namespace yinshi
