// Whole runs with no key pressed, as a student meets them: from the title to
// the end prompt, with exact factoring, the continuation and the certificate,
// on inputs that used to keep a student waiting (and on squares, cubes and
// irreducible polynomials in two and three letters). The clock stands still,
// so no time limit ends a search: each run ends by itself. `degree` is the
// image degree of the first pass, `positions` the most the walk entered for
// one polynomial, `complete` 1 when the certificate calls every factor
// irreducible.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "exact/flint_factorer.hpp"
#include "mainline/driver.hpp"
#include "platform/poller.hpp"
#include "platform/text_file.hpp"
#include "present/screen_search_report.hpp"
#include "search/stop_check.hpp"
#include "state/allocation.hpp"

namespace yinshi {
namespace {

void Whole(benchmark::State& state, const std::string& text) {
    const exact::FlintFactorer flint;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("yinshi-wait-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    long long positions = 0;
    int degree = 0;
    bool complete = false;
    for (auto _ : state) {
        WriteWholeFile(dir / "DXS.DAT", "\"" + text + "\"\r\n");
        Screen screen;
        ScriptedKeyboard keys;
        FakeClock still;
        Poller poller = Poller::Production();
        ScreenSearchReport report(screen);
        Engine e(screen, keys, still, dir, poller, report);
        e.exact = &flint;
        e.ownWindow = false;
        AllocateStartup(e);
        RunEngine(e);
        positions = MostPositionsPerPolynomial(e.search);
        degree = e.dense.WholeDegree;
        const std::string& log = screen.Log();
        complete = log.find("Every factor is irreducible over the integers.") != std::string::npos ||
                   log.find("It is irreducible over the integers.") != std::string::npos;
    }
    state.counters["positions"] = static_cast<double>(positions);
    state.counters["degree"] = degree;
    state.counters["complete"] = complete ? 1 : 0;
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

#define WHOLE(name, text) BENCHMARK_CAPTURE(Whole, name, text)->Unit(benchmark::kMillisecond)->Iterations(1)

WHOLE(sq3, "16a^4+56a^2b^2+48a^2c^2-48a^2c+40a^2+49b^4+84b^2c^2-84b^2c+70b^2+36c^4-72c^3+96c^2-60c+25");
WHOLE(cube, "a^6+3a^4b^2+3a^4c^2+3a^2b^4+6a^2b^2c^2+3a^2c^4+b^6+3b^4c^2+3b^2c^4+c^6");
WHOLE(sq_abc, "a^2b^2+2ab^3+2abc^2+8ab+b^4+2b^2c^2+8b^2+c^4+8c^2+16");
WHOLE(x16py16, "x^16+y^16");
WHOLE(x17my17, "x^17-y^17");
WHOLE(x50py50, "x^50+y^50");
WHOLE(x100my100, "x^100-y^100");
WHOLE(x256p1, "x^256+1");
WHOLE(x720m1, "x^720-1");
WHOLE(x1024m1, "x^1024-1");
WHOLE(x4096p1, "x^4096+1");
WHOLE(x999999p1, "x^999999+1");
WHOLE(
    xy1_19,
    "x^19y^19+19x^18y^18+171x^17y^17+969x^16y^16+3876x^15y^15+11628x^14y^14+27132x^13y^13+50388x^12y^12+75582x^11y^11+"
    "92378x^10y^10+92378x^9y^9+75582x^8y^8+50388x^7y^7+27132x^6y^6+11628x^5y^5+3876x^4y^4+969x^3y^3+171x^2y^2+19xy+1");
WHOLE(x2y2z2_4,
      "x^8+4x^6y^2+4x^6z^2+6x^4y^4+12x^4y^2z^2+6x^4z^4+4x^2y^6+12x^2y^4z^2+12x^2y^2z^4+4x^2z^6+y^8+4y^6z^2+6y^4z^4+4y^"
      "2z^6+z^8");
WHOLE(abcd10,
      "a^10b^10+10a^9b^9cd+45a^8b^8c^2d^2+120a^7b^7c^3d^3+210a^6b^6c^4d^4+252a^5b^5c^5d^5+210a^4b^4c^6d^6+120a^3b^3c^"
      "7d^7+45a^2b^2c^8d^8+10abc^9d^9+c^10d^10");
WHOLE(x30, "x^30-y^30+z^30");
WHOLE(x60, "x^60-y^60+z^60");
WHOLE(comb,
      "-63a^4e^2i^2x^2+126a^4ei^2wx^2-63a^4i^2w^2x^2-54a^3e^4i^2x^2+108a^3e^3i^2wx^2-54a^3e^2i^2w^2x^2-210a^3e^2ix+"
      "420a^3eiwx-210a^3iw^2x-180a^2e^4ix+360a^2e^3iwx-180a^2e^2iw^2x-175a^2e^2+350a^2ew-175a^2w^2-150ae^4+300ae^3w-"
      "150ae^2w^2");
WHOLE(x2p1, "x^2+1");
WHOLE(pow2_2l_0, "x^4y^2-8x^3y^2+16x^2y^2-2x^2y+8xy+1");
WHOLE(pow3_3l_1,
      "-64x^6y^6z^3+144x^6y^4z^2-108x^6y^2z+27x^6+240x^4y^4z^4-360x^4y^2z^3+135x^4z^2-300x^2y^2z^5+225x^2z^4+125z^6");
WHOLE(pow2_2l_2, "x^4y^2-10x^3y^2-6x^2y^3+25x^2y^2+30xy^3+9y^4");
WHOLE(pow3_3l_3, "-64x^6z^3+192x^5z^2-240x^4y^2z^2-192x^4z+480x^3y^2z+64x^3-300x^2y^4z-240x^2y^2+300xy^4-125y^6");
WHOLE(pow2_2l_4, "25x^4y^4-40x^3y^2-20x^2y^3+16x^2+16xy+4y^2");
WHOLE(pow3_3l_5, "8y^6-48y^4z+96y^2z^2-64z^3");
WHOLE(irred_2l_0, "3x^3y^2-2x^3y+4y^4-7");
WHOLE(irred_3l_1, "-x^5-2x^4y^5z^2+x^3y^5z^4-3x^3y^4z^4+3x^3y^3z-3x^3yz^3-4y^3");
WHOLE(irred_2l_2, "-5x^6-x^5y^2-3x^4y^6-2x^3y^2+3x^2y^6+4xy^5-1");
WHOLE(irred_3l_3, "-x^4y^4z^3+4x^4y^2z^4+2x^4z^2-2x^3yz^4+2x^3y+4x^2y^3z-4xy^3z^2-4xy^3-y^3z^3");

}  // namespace
}  // namespace yinshi
