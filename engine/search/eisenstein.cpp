#include "search/eisenstein.hpp"

#include <cmath>
#include <cstdint>

#include "platform/number_form.hpp"
#include "platform/whole_numbers.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

// p divides a1 .. a(n-1) and not an. The square condition on a0 is the caller's.
bool DividesMiddleNotLead(const Engine& e, float p) {
    const DenseForm& d = e.dense;
    if (Divides(p, d.PolyCoef[d.Degree])) return false;
    for (int j = 1; j < d.Degree; ++j)
        if (!Divides(p, d.PolyCoef[j])) return false;
    return true;
}

// p squared can pass what a 16-bit product holds (191 * 191), so the square
// condition is decided on exact integers.
bool SquareDivides(float p, float a0) {
    std::int64_t pp = static_cast<std::int64_t>(p) * static_cast<std::int64_t>(p);
    return static_cast<std::int64_t>(a0) % pp == 0;
}

}  // namespace

EisensteinResult EisensteinTest(const Engine& e) {
    using Reach = EisensteinResult::Reach;
    EisensteinResult r;
    const DenseForm& d = e.dense;
    if (d.Degree < 1 || static_cast<int>(d.PolyCoef.size()) <= d.Degree) return r;
    const float a0 = d.PolyCoef[0];
    const float absA0 = std::fabs(a0);
    // A zero constant term has no prime factorisation; trial division would never end.
    if (absA0 == 1 || a0 == 0 || !IsWhole(a0)) return r;

    float rest = a0;
    float product = 1;
    const int limit = RoundHalfEven(std::sqrt(static_cast<double>(absA0)));
    for (int ip = 2; ip <= limit; ++ip) {
        const float p = static_cast<float>(ip);
        if (!Divides(p, rest)) continue;
        if (!SquareDivides(p, a0) && DividesMiddleNotLead(e, p)) {
            r.Reached = Reach::StoppedAtProof;
            r.Irreducible = true;
            return r;
        }
        do {
            r.Primes.push_back(p);
            rest = rest / p;
            product = p * product;
            if (product == absA0) {
                r.Reached = Reach::AllBelowLimit;
                return r;
            }
        } while (Divides(p, rest));
    }

    // What is left is one prime above the trial limit, so its square cannot divide a0.
    r.Primes.push_back(rest);
    r.Reached = Reach::LastAboveLimit;
    r.Irreducible = DividesMiddleNotLead(e, static_cast<float>(RoundHalfEven(rest)));
    return r;
}

}  // namespace yinshi
