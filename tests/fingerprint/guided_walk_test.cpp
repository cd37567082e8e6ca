// The guide of the trial search may pass over what cannot divide, never
// change what a run writes: over the seeded walk inputs (keys left out), every
// run whose plain walk ends within its time limits, and within the guided
// walk's budget of positions for each polynomial, writes the same files
// guided and unguided. Exact factoring is on in both, so the two differ only
// in the guide and the budget. A run whose plain walk goes past the budget
// gets its factor from exact factoring instead: it must end with the same
// product, every factor of it certified irreducible.
//
//   guided_walk                 compare every seed until enough runs compared
//   guided_walk --shard=K/N     the seeds with seed % N == K, and a share of the count
//   guided_walk --every=M       every M-th seed, and a share of the count
//   guided_walk --seed=S        both runs of seed S: screen log and files
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "exact/flint_factorer.hpp"
#include "mainline/driver.hpp"
#include "poly_check.hpp"
#include "search/stop_check.hpp"
#include "search/supplied_factor.hpp"
#include "test_support.hpp"
#include "walk_inputs.hpp"

namespace yinshi::testing {
namespace {

// Runs to compare in all; seeds whose plain run meets a time limit do not count.
constexpr std::uint64_t kCompared = 20000;
constexpr std::uint64_t kMaxSeeds = 60000;

SeedSelection& Chosen() {
    static SeedSelection selection;
    return selection;
}

struct Outcome {
    std::map<std::string, std::string> files;
    bool stopped = false;     // a search met its time limit
    std::string log;          // the screen's log
    long long positions = 0;  // the most the walk entered for one polynomial
};

Outcome RunWhole(const WalkInput& in, const exact::Factorer& flint, bool guided) {
    TestEngine t;
    t.e.exact = &flint;
    t.e.guideWalk = guided;
    t.clock.Set(0, 0, in.startSeconds);
    t.clock.StepPerReading(in.secondsPerReading);
    t.keys.Add(in.answers, 1LL << 40);
    t.dir.Write("DXS.DAT", "\"" + in.text + "\"\r\n");
    for (Step step = StartUp(t.e); step.Stage != At::Exit; step = RunStage(t.e, step)) {
    }
    t.e.jg.Close();
    t.e.dj.Close();
    Outcome out;
    // A time limit, or the jump to the top degree after two minutes.
    out.stopped = t.e.run.StoppedBy != StoppedBy::Nothing || t.e.run.Skipped == 1;
    out.log = t.screen.Log();
    out.positions = MostPositionsPerPolynomial(t.e.search);
    for (const auto& entry : std::filesystem::directory_iterator(t.dir.Path()))
        if (entry.is_regular_file()) {
            const std::string name = entry.path().filename().string();
            out.files[name] = t.dir.Read(name);
        }
    return out;
}

// A file's text for the report: control bytes shown as dots, and not all of a long one.
std::string Shown(const std::string& bytes) {
    std::string out = bytes.substr(0, 400);
    for (char& c : out)
        if (c >= 0 && c < ' ' && c != '\n') c = '.';
    return out;
}

std::string FirstDifference(const Outcome& plain, const Outcome& guided) {
    for (const auto& [name, bytes] : plain.files) {
        auto it = guided.files.find(name);
        if (it == guided.files.end()) return name + " missing when guided";
        if (it->second != bytes)
            return name + " differs:\n--- plain\n" + Shown(bytes) + "\n--- guided\n" + Shown(it->second);
    }
    for (const auto& [name, bytes] : guided.files)
        if (plain.files.count(name) == 0) return name + " only when guided";
    return {};
}

// A guided run past the budget: the product of its last line is the plain
// run's, and the certificate calls every factor irreducible.
std::string PastBudgetDifference(const Outcome& plain, const Outcome& guided) {
    auto product = [](const Outcome& o, long long& den) -> std::optional<Poly> {
        auto it = o.files.find("jg.dat");
        if (it == o.files.end()) return std::nullopt;
        return TranscriptProduct(it->second, &den);
    };
    long long plainDen = 1, guidedDen = 1;
    const std::optional<Poly> p = product(plain, plainDen);
    const std::optional<Poly> g = product(guided, guidedDen);
    if (!p || !g) return "no product line";
    auto scaled = [](const Poly& x, long long den) { return ToString(Multiply(x, *ParsePoly(std::to_string(den)))); };
    if (scaled(*g, plainDen) != scaled(*p, guidedDen)) return "the products differ";
    if (guided.log.find("Every factor is irreducible over the integers.") == std::string::npos &&
        guided.log.find("It is irreducible over the integers.") == std::string::npos)
        return "not certified complete";
    return {};
}

TEST(GuidedWalk, WritesWhatThePlainWalkWritesWheneverThatEndsInTime) {
    const exact::FlintFactorer flint;
    const SeedSelection sel = Chosen();
    const std::uint64_t wanted = (kCompared + sel.modulus - 1) / sel.modulus;
    std::uint64_t compared = 0;
    int differing = 0;
    int pastBudget = 0;
    std::string report;
    for (std::uint64_t seed = sel.remainder; seed < kMaxSeeds && compared < wanted; seed += sel.modulus) {
        WalkInput in = MakeWalkInput(seed);
        in.presses.clear();
        const Outcome plain = RunWhole(in, flint, false);
        if (plain.stopped) continue;
        ++compared;
        const Outcome guided = RunWhole(in, flint, true);
        const bool past = plain.positions > kPositionBudget;
        pastBudget += past ? 1 : 0;
        const std::string diff = past ? PastBudgetDifference(plain, guided) : FirstDifference(plain, guided);
        if (diff.empty()) continue;
        if (++differing <= 3) report += "seed " + std::to_string(seed) + ": " + Describe(in) + "\n" + diff + "\n";
    }
    std::printf("%llu runs compared, %d of them past the budget of positions\n",
                static_cast<unsigned long long>(compared), pastBudget);
    EXPECT_GE(compared, wanted);
    EXPECT_EQ(differing, 0) << differing << " of " << compared << " runs differ; the first:\n" << report;
}

// Both runs of one seed in full, for a person chasing a difference.
int Show(std::uint64_t seed) {
    const exact::FlintFactorer flint;
    WalkInput in = MakeWalkInput(seed);
    in.presses.clear();
    std::printf("%s\n", Describe(in).c_str());
    for (bool guided : {false, true}) {
        const Outcome o = RunWhole(in, flint, guided);
        std::printf("===== %s%s\n%s\n", guided ? "guided" : "plain", o.stopped ? " (stopped)" : "", o.log.c_str());
        for (const auto& [name, bytes] : o.files) std::printf("----- %s\n%s\n", name.c_str(), Shown(bytes).c_str());
    }
    return 0;
}

}  // namespace
}  // namespace yinshi::testing

int main(int argc, char** argv) {
    using namespace yinshi::testing;
    PreferMemoryTempDir();
    for (int i = 1; i < argc; ++i) {
        unsigned long long n = 0;
        if (std::sscanf(argv[i], "--seed=%llu", &n) == 1) return Show(n);
        ReadSeedSelection(argv[i], Chosen());
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
