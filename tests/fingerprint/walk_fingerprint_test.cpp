// The guard of the trial-factor search: every seeded run must reproduce the
// fingerprint recorded for it, so that a change to how the walk is computed
// cannot change what it visits, accepts, counts, saves or shows.
//
//   walk_fingerprints                 check every seed
//   walk_fingerprints --shard=K/N     check the seeds with seed % N == K
//   walk_fingerprints --every=M       check every M-th seed (a slice)
//   walk_fingerprints --record        recompute every seed and rewrite the file
//   walk_fingerprints --times=N       print each of seeds 0..N-1: milliseconds,
//                                     positions, candidates, input
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "walk_fingerprint.hpp"

namespace yinshi::testing {
namespace {

constexpr std::uint64_t kSeeds = 20000;

SeedSelection& Chosen() {
    static SeedSelection selection;
    return selection;
}

TEST(WalkFingerprints, EverySeedReproducesItsRecordedRun) {
    const std::vector<std::uint64_t> recorded = ReadFingerprints(YINSHI_FINGERPRINT_FILE);
    ASSERT_EQ(recorded.size(), kSeeds) << "missing or short " << YINSHI_FINGERPRINT_FILE;
    const SeedSelection sel = Chosen();
    std::string report;
    int differing = 0;
    int checked = 0;
    for (std::uint64_t seed = sel.remainder; seed < kSeeds; seed += sel.modulus) {
        const WalkInput in = MakeWalkInput(seed);
        const std::uint64_t now = WalkFingerprint(in);
        ++checked;
        if (now == recorded[seed]) continue;
        if (++differing <= 10) {
            char hashes[64];
            std::snprintf(hashes, sizeof hashes, "%016" PRIx64 " now %016" PRIx64, recorded[seed], now);
            report += "seed " + std::to_string(seed) + ": " + Describe(in) + "\n  recorded " + hashes + "\n";
        }
    }
    EXPECT_EQ(differing, 0) << differing << " of " << checked << " runs differ; the first:\n" << report;
}

int Record() {
    std::vector<std::uint64_t> hashes(kSeeds);
    const unsigned threads = std::max(1U, std::thread::hardware_concurrency());
    std::vector<std::thread> pool;
    for (unsigned k = 0; k < threads; ++k)
        pool.emplace_back([&, k] {
            for (std::uint64_t seed = k; seed < kSeeds; seed += threads)
                hashes[seed] = WalkFingerprint(MakeWalkInput(seed));
        });
    for (auto& th : pool) th.join();
    if (!WriteFingerprints(YINSHI_FINGERPRINT_FILE, hashes)) {
        std::fprintf(stderr, "cannot write %s\n", YINSHI_FINGERPRINT_FILE);
        return 1;
    }
    std::printf("recorded %llu fingerprints in %s\n", static_cast<unsigned long long>(kSeeds), YINSHI_FINGERPRINT_FILE);
    return 0;
}

// Each run's time, for keeping the inputs cheap: seed, milliseconds, input.
int Times(std::uint64_t upTo) {
    for (std::uint64_t seed = 0; seed < upTo; ++seed) {
        const WalkInput in = MakeWalkInput(seed);
        const auto start = std::chrono::steady_clock::now();
        long long positions = 0;
        long long candidates = 0;
        WalkFingerprint(in, &positions, &candidates);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        std::printf("%llu %.2f %lld %lld %s\n", static_cast<unsigned long long>(seed), took.count(), positions,
                    candidates, Describe(in).c_str());
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
        if (std::strcmp(argv[i], "--record") == 0) return Record();
        if (std::sscanf(argv[i], "--times=%llu", &n) == 1) return Times(n);
        ReadSeedSelection(argv[i], Chosen());
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
