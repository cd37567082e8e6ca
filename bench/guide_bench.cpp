// The trial search with and without the exact factorisation's guide, on
// inputs whose plain walk searches for seconds or minutes. The guided runs
// ("after") include the factoring itself. The plain runs ("before") read a
// clock that runs a minute for every real second, so each ends at the
// engine's own time limits at a sixtieth of their real length: where the
// `timed_out` counter is 1, the real plain run takes 60 times the time shown
// and ends with the factor unsplit.
#include <chrono>
#include <cstdio>

#include "bench_rig.hpp"
#include "exact/flint_factorer.hpp"

namespace yinshi {
namespace {

class FastClock final : public Clock {
public:
    std::string Now() override {
        const auto real = std::chrono::steady_clock::now() - start_;
        const long long seconds = 10 * 3600 + 60 * std::chrono::duration_cast<std::chrono::seconds>(real).count();
        char text[16];
        std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
        return text;
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

void Guided(benchmark::State& state, const std::string& text) {
    const exact::FlintFactorer flint;
    FakeClock still;
    bench::RunSearch(state, text, still, &flint);
}

void Plain(benchmark::State& state, const std::string& text) {
    FastClock fast;
    bench::RunSearch(state, text, fast, nullptr);
}

#define BOTH(name, text)                                                                \
    BENCHMARK_CAPTURE(Plain, name, text)->Unit(benchmark::kMillisecond)->Iterations(1); \
    BENCHMARK_CAPTURE(Guided, name, text)->Unit(benchmark::kMillisecond)

// Irreducible after its content 8/3; seven letters in one sum.
BOTH(content_three_letters, "392/3p^2q^2+448pqr^2+512/3r^4");
BOTH(seven_letters, "a+b+c+f+g+h+i");
// (p - 5q + 1)((q - 3)p - 1): the image walk never meets the factor.
BOTH(image_misses_factor, "p^2q-5pq^2-3p^2+16pq-4p+5q-1");
// (x + 6)(3x - 1)(7x + 1)(2x^5 - 3x^4 + 11x^2 - 5x + 9)
BOTH(three_linear_and_quintic, "42x^8+181x^7-416x^6+294x^5+1255x^4-696x^3+1157x^2-195x-54");
// Irreducible, a0 = 60, an = 7, other coefficients up to 10^6.
BOTH(irreducible_deg10_1e6,
     "7x^10+65020x^9-52439x^8-23462x^7+638333x^6+938210x^5+796971x^4+173927x^3+815593x^2-51292x+60");
BOTH(irreducible_deg14_1e6,
     "7x^14-63427x^13-802609x^12-609566x^11+662993x^10+287564x^9+320959x^8-2253x^7+73550x^6+685901x^5"
     "-612740x^4-601747x^3+231835x^2+793160x+60");
BOTH(irreducible_deg18_1e6,
     "7x^18-669711x^17+363297x^16+290928x^15+549618x^14+371374x^13-50001x^12-169193x^11+248720x^10"
     "-912171x^9+330543x^8+454245x^7+867263x^6+697947x^5+129722x^4-809851x^3-702635x^2-363722x+60");
BOTH(irreducible_deg20_1e6,
     "7x^20-590382x^19+766697x^18+239331x^17-76140x^16-315714x^15-27059x^14+631811x^13-936913x^12"
     "+257490x^11+844581x^9-601105x^8-925231x^7-875113x^6-867534x^5+108095x^4+744204x^3"
     "-968542x^2+306795x+60");
// Several letters whose one-variable image has a high degree.
BOTH(three_letters_irreducible, "x^4y^3z^2+5x^3y^2-7xz^4+3y^5z-11");
// (x^3y^2 - 2z^3 + 5)(x^2z^2 + 3y^3 - 7)
BOTH(three_letters_product, "x^5y^2z^2+3x^3y^5-7x^3y^2-2x^2z^5+5x^2z^2-6y^3z^3+15y^3+14z^3-35");

}  // namespace
}  // namespace yinshi
