#pragma once
#include <vector>

namespace yinshi {

struct Engine;

// What Eisenstein's test went through on the constant term a0 of PolyCoef.
struct EisensteinResult {
    // How far the test went: not at all (a0 is 0, ±1 or not whole); to a
    // prime that proved irreducibility on the way; through every prime of a0
    // below the trial limit; or through them and the one prime left above it.
    enum class Reach { Nothing, StoppedAtProof, AllBelowLimit, LastAboveLimit };
    // a0's prime factors in the order the test met them, with repeats.
    std::vector<float> Primes;
    Reach Reached = Reach::Nothing;
    // A prime proved PolyCoef irreducible.
    bool Irreducible = false;
};

EisensteinResult EisensteinTest(const Engine& e);

}  // namespace yinshi
