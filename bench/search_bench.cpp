// The trial-factor search as the engine runs it on polynomials it really
// searches: none has an Eisenstein prime or is a special form (two or three
// terms), so the search is the only way the engine can decompose them. Each
// input is read and set up once by the engine's own start-up and restart
// stages; every iteration then restores that state and runs the driver from
// the search start until the decomposition leaves the search (every degree
// tried, every factor split off), with a clock that never reaches the time
// limit, no keys and the production poller. The transcript is closed, so no
// file is written while the search runs.
#include "bench_rig.hpp"

namespace yinshi {
namespace {

// A clock that stands still: the time limit never fires.
void Search(benchmark::State& state, const std::string& text) {
    FakeClock still;
    bench::RunSearch(state, text, still, nullptr);
}

#define SEARCH(name, text) BENCHMARK_CAPTURE(Search, name, text)->Unit(benchmark::kMillisecond)

// One variable, a0 = 60 (or 36) and a leading 7: the constant term has twelve
// divisor pairs, so both copies of the walk run. Irreducible ones have random
// coefficients up to the size named; reducible ones are products of two
// irreducible factors. Checked irreducible, or factored, by a computer
// algebra system; no Eisenstein prime divides them.
SEARCH(irreducible_deg8_1e2, "7x^8+85x^7-49x^6-23x^5+48x^4+86x^3-54x^2+20x+60");
SEARCH(irreducible_deg10_1e2, "7x^10+88x^9+62x^8-38x^7+36x^6-33x^5+94x^4+83x^3+93x^2+4x+60");
SEARCH(irreducible_deg12_1e2, "7x^12-16x^11+80x^10+39x^9-21x^8-45x^7+57x^6+86x^5+34x^4+6x^3-10x^2+27x+60");
SEARCH(irreducible_deg14_1e2,
       "7x^14+36x^13-63x^12+67x^11+81x^10+19x^9+86x^8+92x^7+76x^6-48x^5+98x^4+87x^3-81x^2+32x+60");
// (7x^6 - x^5 - 2x^4 + 3x^3 + 3x^2 + 2x + 12)(x^6 + 3x^5 - 3x^4 - 3x^3 + 2x^2 + x + 5)
SEARCH(reducible_deg12_1e2, "7x^12+20x^11-26x^10-21x^9+35x^8+13x^7+30x^6+20x^5-43x^4-14x^3+41x^2+22x+60");
SEARCH(irreducible_deg8_1e4, "7x^8-5931x^7+5266x^6+3650x^5+1450x^4-8084x^3+3497x^2-3034x+60");
SEARCH(irreducible_deg10_1e4, "7x^10+3578x^9+3985x^8+665x^7-3409x^6+1314x^5+840x^4+2789x^3+718x^2-5447x+60");
// (7x^5 - 4x^4 - 41x^3 + 55x^2 - 60x + 6)(x^5 - 50x^4 - 31x^3 - 16x^2 - 30x + 10)
SEARCH(reducible_deg10_1e4, "7x^10-354x^9-58x^8+2117x^7-1685x^6+2147x^5+1870x^4-1286x^3+2254x^2-780x+60");
SEARCH(irreducible_deg8_1e6, "7x^8-187833x^7-450688x^6-703469x^5+317217x^4+754296x^3+248826x^2+34612x+60");
// (7x^4 + 623x^3 - 310x^2 - 218x + 6)(x^4 + 187x^3 - 261x^2 + 432x + 6)
SEARCH(reducible_deg8_1e6, "7x^8+1932x^7+114364x^6-217767x^5+309328x^4-72162x^3-97602x^2+1284x+36");
// Three variables, searched through its image in one variable:
// (xy^2 - 3x + 7yz + 4z - 6)(x^2y - 3xz^2 + 2y + 5).
SEARCH(several_variables,
       "x^3y^3-3x^3y-3x^2y^2z^2+7x^2y^2z+4x^2yz-6x^2y+9x^2z^2+2xy^3+5xy^2-21xyz^3-6xy-12xz^3+18xz^2-15x"
       "+14y^2z+43yz-12y+20z-30");

}  // namespace
}  // namespace yinshi
