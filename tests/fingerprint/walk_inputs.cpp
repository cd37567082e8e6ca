// Seeded inputs for the walk fingerprints: polynomials in one variable and in
// several, irreducible and reducible, small and large coefficients up to the
// engine's limit, degrees 2 to 30, special forms and fractions, with keys and
// clock steps that make every run end within a bounded number of positions.
#include "walk_inputs.hpp"

#include <unistd.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace yinshi::testing {

namespace {

constexpr long long kLimit = 9999999;

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 0x2545F4914F6CDD1DULL) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    long long Below(long long n) { return n <= 1 ? 0 : static_cast<long long>(Next() % static_cast<std::uint64_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    // 1 .. max, spread evenly over the number of digits.
    long long Magnitude(long long max) {
        long long top = 9;
        int digits = 1;
        while (top < max) {
            top = top * 10 + 9;
            ++digits;
        }
        long long cap = 9;
        for (int k = static_cast<int>(Below(digits)); k > 0; --k) cap = cap * 10 + 9;
        return 1 + Below(std::min(cap, max));
    }
    long long Signed(long long max) { return Chance(50) ? -Magnitude(max) : Magnitude(max); }
    template <typename T, std::size_t N>
    T Pick(const std::array<T, N>& from) {
        return from[static_cast<std::size_t>(Below(static_cast<long long>(N)))];
    }

private:
    std::uint64_t state_;
};

// Coefficient sizes, small ones more often.
long long CoefficientClass(Rng& rng) {
    const long long r = rng.Below(100);
    if (r < 25) return 9;
    if (r < 45) return 99;
    if (r < 60) return 999;
    if (r < 72) return 9999;
    if (r < 82) return 99999;
    if (r < 92) return 999999;
    return kLimit;
}

// A constant term with many divisors (many pairs to walk), within `max`.
long long SmoothNumber(Rng& rng, long long max) {
    static constexpr std::array<long long, 6> kPrimes{2, 3, 5, 7, 11, 13};
    long long v = 1;
    for (int tries = 0; tries < 24; ++tries) {
        long long p = rng.Pick(kPrimes);
        if (v * p > max) break;
        v *= p;
    }
    return rng.Chance(50) ? -v : v;
}

// Term text: sign, magnitude (1 left out before letters), letters with powers.
void AppendTerm(std::string& out, long long coef, long long den, const std::string& letters) {
    if (coef < 0)
        out += '-';
    else if (!out.empty())
        out += '+';
    const long long mag = std::llabs(coef);
    if (mag != 1 || den != 1 || letters.empty()) out += std::to_string(mag);
    if (den != 1) out += "/" + std::to_string(den);
    out += letters;
}

std::string Power(char var, long long k) {
    if (k == 0) return "";
    std::string s(1, var);
    if (k > 1) s += "^" + std::to_string(k);
    return s;
}

// Ascending coefficients in one variable, written highest power first.
std::string OneVariableText(const std::vector<long long>& coefs, char var, Rng* fractions = nullptr) {
    std::string s;
    for (int k = static_cast<int>(coefs.size()) - 1; k >= 0; --k) {
        const long long c = coefs[static_cast<std::size_t>(k)];
        if (c == 0) continue;
        long long den = 1;
        if (fractions != nullptr && fractions->Chance(50)) den = 2 + fractions->Below(8);
        AppendTerm(s, c, den, Power(var, k));
    }
    return s;
}

std::vector<long long> Times(const std::vector<long long>& a, const std::vector<long long>& b) {
    std::vector<long long> out(a.size() + b.size() - 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) out[i + j] += a[i] * b[j];
    return out;
}

int NonZero(const std::vector<long long>& p) {
    return static_cast<int>(std::count_if(p.begin(), p.end(), [](long long c) { return c != 0; }));
}

bool WithinLimit(const std::vector<long long>& p) {
    return std::all_of(p.begin(), p.end(), [](long long c) { return std::llabs(c) <= kLimit; });
}

char OneLetter(Rng& rng) {
    static constexpr std::array<char, 6> kLetters{'x', 'x', 'x', 'a', 'y', 'm'};
    return rng.Pick(kLetters);
}

// Random coefficients at random powers: mostly irreducible.
// The top position has about twice |an| candidates: a large leading
// coefficient makes each entry there slow, so its run gets few positions.
std::string RandomOneVariable(Rng& rng, bool& cheap, bool& slow) {
    const int n = static_cast<int>(rng.Chance(35) ? 2 + rng.Below(29) : 2 + rng.Below(11));
    const long long size = CoefficientClass(rng);
    std::vector<long long> c(static_cast<std::size_t>(n) + 1, 0);
    long long lead = 0;
    if (rng.Chance(70))
        lead = rng.Signed(9);
    else if (rng.Chance(70))
        lead = rng.Signed(99);
    else if (rng.Chance(85))
        lead = rng.Signed(std::min(size, 9999LL));
    else
        lead = rng.Signed(std::min(size, 99999LL));
    slow = std::llabs(lead) > 9999;
    c[static_cast<std::size_t>(n)] = lead;
    if (!rng.Chance(8)) c[0] = rng.Chance(30) ? SmoothNumber(rng, size) : rng.Signed(size);
    const int middle = static_cast<int>(rng.Below(std::min(n - 1, 18) + 1));
    for (int i = 0; i < middle; ++i) c[static_cast<std::size_t>(1 + rng.Below(n - 1))] = rng.Signed(size);
    cheap = n <= 6 && size <= 99 && std::llabs(lead) <= 9;
    return OneVariableText(c, OneLetter(rng));
}

// Large constant and leading coefficients: the walk's values leave the range
// that 32-bit floats hold exactly, and the top position has many candidates.
std::string LargeEnds(Rng& rng) {
    const int n = static_cast<int>(3 + rng.Below(10));
    std::vector<long long> c(static_cast<std::size_t>(n) + 1, 0);
    static constexpr std::array<long long, 3> kLeads{999, 9999, 99999};
    c[static_cast<std::size_t>(n)] = rng.Signed(rng.Pick(kLeads));
    c[0] = rng.Chance(40) ? SmoothNumber(rng, kLimit) : rng.Signed(kLimit);
    const long long size = rng.Chance(50) ? kLimit : 99;
    for (int i = static_cast<int>(1 + rng.Below(std::min(n - 1, 6))); i > 0; --i)
        c[static_cast<std::size_t>(1 + rng.Below(n - 1))] = rng.Signed(size);
    return OneVariableText(c, 'x');
}

// A product of small factors in one variable: the search finds factors.
std::string ProductOneVariable(Rng& rng, bool& cheap, bool& slow) {
    for (int attempt = 0; attempt < 6; ++attempt) {
        static constexpr std::array<long long, 5> kSizes{3, 5, 9, 30, 300};
        const long long size = rng.Pick(kSizes);
        const int factors = static_cast<int>(2 + rng.Below(3));
        std::vector<long long> p{1};
        int total = 0;
        for (int f = 0; f < factors && total < 30; ++f) {
            const int deg = static_cast<int>(std::min<long long>(1 + rng.Below(rng.Chance(70) ? 3 : 8), 30 - total));
            std::vector<long long> g(static_cast<std::size_t>(deg) + 1, 0);
            for (auto& v : g)
                if (rng.Chance(60)) v = rng.Signed(size);
            if (g.back() == 0) g.back() = rng.Signed(size <= 9 ? 3 : 9);
            if (g.front() == 0 && rng.Chance(85)) g.front() = rng.Signed(size);
            p = Times(p, g);
            total += deg;
        }
        if (NonZero(p) > 20 || !WithinLimit(p) || total < 2) continue;
        cheap = total <= 6 && size <= 9;
        slow = std::llabs(p.back()) > 9999;
        return OneVariableText(p, OneLetter(rng));
    }
    return RandomOneVariable(rng, cheap, slow);
}

using Exponents = std::array<int, 4>;
using Sparse = std::map<Exponents, long long>;

Sparse RandomSparse(Rng& rng, int vars, int terms, long long size, int maxExp) {
    Sparse p;
    for (int i = 0; i < terms; ++i) {
        Exponents m{};
        for (int v = 0; v < vars; ++v) m[static_cast<std::size_t>(v)] = static_cast<int>(rng.Below(maxExp + 1));
        p[m] += rng.Signed(size);
    }
    std::erase_if(p, [](const auto& kv) { return kv.second == 0; });
    return p;
}

Sparse Times(const Sparse& a, const Sparse& b) {
    Sparse out;
    for (const auto& [ma, ca] : a)
        for (const auto& [mb, cb] : b) {
            Exponents m{};
            for (std::size_t v = 0; v < m.size(); ++v) m[v] = ma[v] + mb[v];
            out[m] += ca * cb;
        }
    std::erase_if(out, [](const auto& kv) { return kv.second == 0; });
    return out;
}

std::string SparseText(const Sparse& p, const std::string& letters) {
    std::string s;
    for (auto it = p.rbegin(); it != p.rend(); ++it) {
        std::string mono;
        for (std::size_t v = 0; v < letters.size(); ++v) mono += Power(letters[v], it->first[v]);
        AppendTerm(s, it->second, 1, mono);
    }
    return s;
}

std::string Letters(Rng& rng, int vars) {
    std::string pool = "abcxyzmnpq";
    std::string out;
    for (int v = 0; v < vars; ++v) {
        const auto i = static_cast<std::size_t>(rng.Below(static_cast<long long>(pool.size())));
        out += pool[i];
        pool.erase(i, 1);
    }
    return out;
}

std::string SeveralVariables(Rng& rng) {
    const int vars = static_cast<int>(2 + rng.Below(3));
    const std::string letters = Letters(rng, vars);
    static constexpr std::array<long long, 4> kSizes{3, 3, 9, 99};
    for (int attempt = 0; attempt < 6; ++attempt) {
        const long long size = rng.Pick(kSizes);
        Sparse p;
        if (rng.Chance(25)) {
            p = RandomSparse(rng, vars, static_cast<int>(2 + rng.Below(8)), size * 10, 3);
        } else {
            // The draws are sequenced by hand, the second factor first, as GCC's order of
            // evaluating arguments had them when the fingerprints were recorded: the inputs
            // must not depend on the compiler (the WebAssembly build's is clang).
            const Sparse second = RandomSparse(rng, vars, static_cast<int>(2 + rng.Below(3)), size, 2);
            const Sparse first = RandomSparse(rng, vars, static_cast<int>(2 + rng.Below(2)), size, 2);
            p = Times(first, second);
            if (rng.Chance(20)) p = Times(p, RandomSparse(rng, vars, 2, 3, 1));
        }
        if (p.size() < 2 || p.size() > 20) continue;
        return SparseText(p, letters);
    }
    return letters.substr(0, 1) + "^2-" + letters.substr(1, 1) + "^2";
}

// Differences of squares, sums and differences of cubes, squares of binomials.
std::string SpecialForm(Rng& rng) {
    const int vars = static_cast<int>(1 + rng.Below(2));
    const std::string letters = Letters(rng, vars);
    const long long a = rng.Magnitude(rng.Chance(70) ? 9 : 99);
    const long long b = rng.Magnitude(rng.Chance(70) ? 9 : 99);
    const int k = static_cast<int>(1 + rng.Below(5));
    const int m = static_cast<int>(rng.Below(4));
    const std::string lead = Power(letters[0], k);
    const std::string tail = vars == 2 ? Power(letters[1], m) : "";
    std::string s;
    switch (rng.Below(4)) {
        case 0:  // a^2 u^2 - b^2 v^2
            AppendTerm(s, a * a, 1, Power(letters[0], 2 * k));
            AppendTerm(s, -b * b, 1, vars == 2 ? Power(letters[1], 2 * m) : "");
            break;
        case 1:  // a^3 u^3 +- b^3 v^3
            AppendTerm(s, a * a * a, 1, Power(letters[0], 3 * k));
            AppendTerm(s, rng.Chance(50) ? b * b * b : -b * b * b, 1, vars == 2 ? Power(letters[1], 3 * m) : "");
            break;
        case 2: {  // (a u +- b v)^2
            const long long sb = rng.Chance(50) ? b : -b;
            AppendTerm(s, a * a, 1, Power(letters[0], 2 * k));
            AppendTerm(s, 2 * a * sb, 1, lead + tail);
            AppendTerm(s, b * b, 1, vars == 2 ? Power(letters[1], 2 * m) : "");
            break;
        }
        default: {  // any two or three terms; the power drawn before its coefficient, as above
            const std::string power = Power(letters[0], 1 + rng.Below(12));
            AppendTerm(s, rng.Signed(999), 1, power);
            if (rng.Chance(50)) {
                const std::string second = Power(letters[0], rng.Below(6)) + tail;
                AppendTerm(s, rng.Signed(999), 1, second);
            }
            AppendTerm(s, rng.Signed(9999), 1, tail);
            break;
        }
    }
    return s;
}

std::string WithFractions(Rng& rng) {
    const int n = static_cast<int>(2 + rng.Below(7));
    std::vector<long long> c(static_cast<std::size_t>(n) + 1, 0);
    for (auto& v : c)
        if (rng.Chance(60)) v = rng.Signed(30);
    if (c.back() == 0) c.back() = rng.Signed(9);
    return OneVariableText(c, 'x', &rng);
}

// Keys for the search: x halves the bound, t stops, b lifts the first pass's
// limit; any other key is passed over. A b is always followed by an x or t so
// that a run without a time limit still ends.
void PressKeys(Rng& rng, WalkInput& in) {
    if (!rng.Chance(45)) return;
    static constexpr std::array<char, 11> kKeys{'x', 'x', 'x', 't', 't', 'b', 'b', 'X', 'T', 'B', 'q'};
    long at = 0;
    bool lifted = false;
    for (int i = static_cast<int>(1 + rng.Below(3)); i > 0; --i) {
        at += 1 + static_cast<long>(rng.Below(rng.Chance(50) ? 200 : 3000));
        const char key = rng.Pick(kKeys);
        in.presses.push_back({key, at});
        if (key == 'b' || key == 'B') lifted = true;
        if (key == 'x' || key == 'X' || key == 't' || key == 'T') lifted = false;
    }
    if (lifted) in.presses.push_back({rng.Chance(50) ? 'x' : 't', at + 1 + static_cast<long>(rng.Below(4000))});
}

}  // namespace

WalkInput MakeWalkInput(std::uint64_t seed) {
    Rng rng(seed);
    WalkInput in;
    bool cheap = false;
    bool slow = false;
    const long long kind = rng.Below(100);
    if (kind < 37) {
        in.text = RandomOneVariable(rng, cheap, slow);
    } else if (kind < 40) {
        in.text = LargeEnds(rng);
        slow = true;
    } else if (kind < 65) {
        in.text = ProductOneVariable(rng, cheap, slow);
    } else if (kind < 84) {
        in.text = SeveralVariables(rng);
    } else if (kind < 93) {
        in.text = SpecialForm(rng);
    } else if (kind < 99) {
        in.text = WithFractions(rng);
    } else {
        in.text = "1" + std::string(1, static_cast<char>('0' + rng.Below(10))) + "000000x^2+x+1";  // too big
    }
    PressKeys(rng, in);
    static constexpr std::array<char, 4> kAnswers{'y', 'n', 'n', 'Y'};
    for (long long i = rng.Below(4); i > 0; --i) in.answers += rng.Pick(kAnswers);
    in.startSeconds = 10 * 3600 + static_cast<int>(rng.Below(3600));
    static constexpr std::array<int, 10> kSteps{1, 1, 1, 2, 2, 3, 5, 11, 30, 61};
    in.secondsPerReading = cheap && rng.Chance(50) ? 0 : rng.Pick(kSteps);
    if (slow) {
        // Few positions: also after b has lifted the time limit.
        in.secondsPerReading = rng.Chance(50) ? 30 : 61;
        for (auto& p : in.presses) p.afterPolls = 1 + p.afterPolls / 20;
    }
    return in;
}

std::string Describe(const WalkInput& in) {
    std::string s = "\"" + in.text + "\" keys";
    for (const auto& p : in.presses) s += std::string(" ") + p.key + "@" + std::to_string(p.afterPolls);
    s += " answers \"" + in.answers + "\" clock " + std::to_string(in.startSeconds) + "s +" +
         std::to_string(in.secondsPerReading) + "s/reading";
    return s;
}

void PreferMemoryTempDir() {
    std::error_code ec;
    if (std::getenv("TMPDIR") == nullptr && std::filesystem::is_directory("/dev/shm", ec) &&
        ::access("/dev/shm", W_OK) == 0)
        ::setenv("TMPDIR", "/dev/shm", 0);
}

bool ReadSeedSelection(const char* arg, SeedSelection& sel) {
    unsigned long long k = 0;
    unsigned long long n = 0;
    if (std::sscanf(arg, "--shard=%llu/%llu", &k, &n) == 2 && n > 0 && k < n) {
        sel = {n, k};
        return true;
    }
    if (std::sscanf(arg, "--every=%llu", &n) == 1 && n > 0) {
        sel = {n, 0};
        return true;
    }
    return false;
}

}  // namespace yinshi::testing
