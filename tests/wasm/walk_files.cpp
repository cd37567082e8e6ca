// The seeded walk inputs, run whole in-process, each reduced to one line: the walk's
// fingerprint (the plain walk, as the recorded fingerprints take it) and a hash of every file
// and the screen log of the guided run over FLINT, keys included. Built natively and for
// WebAssembly from the same sources: the two builds must print the same lines.
//
//   walk_files --seeds=FROM..TO [--every=M]   one line per seed
//   walk_files --files=SEED                   the guided run's files, in full
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "exact/flint_factorer.hpp"
#include "mainline/driver.hpp"
#include "test_support.hpp"
#include "walk_fingerprint.hpp"
#include "walk_inputs.hpp"

namespace yinshi::testing {
namespace {

struct Guided {
    std::map<std::string, std::string> files;
    std::string log;
};

Guided RunGuided(const WalkInput& in, const exact::Factorer& flint) {
    TestEngine t;
    t.e.exact = &flint;
    t.clock.Set(0, 0, in.startSeconds);
    t.clock.StepPerReading(in.secondsPerReading);
    for (const WalkInput::Press& p : in.presses) t.keys.Add(std::string(1, p.key), p.afterPolls);
    t.keys.Add(in.answers, 1LL << 40);
    t.dir.Write("DXS.DAT", "\"" + in.text + "\"\r\n");
    for (Step step = StartUp(t.e); step.Stage != At::Exit; step = RunStage(t.e, step)) {
    }
    t.e.jg.Close();
    t.e.dj.Close();
    Guided out;
    out.log = t.screen.Log();
    for (const auto& entry : std::filesystem::directory_iterator(t.dir.Path()))
        if (entry.is_regular_file()) {
            const std::string name = entry.path().filename().string();
            out.files[name] = t.dir.Read(name);
        }
    return out;
}

std::uint64_t Fnv(std::uint64_t h, const std::string& bytes) {
    for (const unsigned char c : std::to_string(bytes.size()) + ":" + bytes) h = (h ^ c) * 0x100000001b3ULL;
    return h;
}

std::uint64_t HashOf(const Guided& g) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const auto& [name, bytes] : g.files) h = Fnv(Fnv(h, name), bytes);
    return Fnv(h, g.log);
}

int Seeds(unsigned long long from, unsigned long long to, unsigned long long every) {
    const exact::FlintFactorer flint;
    for (unsigned long long seed = from; seed <= to; seed += every) {
        const WalkInput in = MakeWalkInput(seed);
        std::printf("%llu %016" PRIx64 " %016" PRIx64 "\n", seed, WalkFingerprint(in), HashOf(RunGuided(in, flint)));
        std::fflush(stdout);
    }
    return 0;
}

int Files(unsigned long long seed) {
    const exact::FlintFactorer flint;
    const WalkInput in = MakeWalkInput(seed);
    std::printf("%s\n", Describe(in).c_str());
    for (const auto& [name, bytes] : RunGuided(in, flint).files)
        std::printf("--- %s (%zu bytes)\n%s\n", name.c_str(), bytes.size(), bytes.c_str());
    return 0;
}

}  // namespace
}  // namespace yinshi::testing

int main(int argc, char** argv) {
    using namespace yinshi::testing;
    PreferMemoryTempDir();
    unsigned long long from = 0;
    unsigned long long to = 0;
    unsigned long long every = 1;
    bool seeds = false;
    for (int i = 1; i < argc; ++i) {
        if (std::sscanf(argv[i], "--seeds=%llu..%llu", &from, &to) == 2) {
            seeds = true;
        } else if (std::sscanf(argv[i], "--every=%llu", &every) == 1 && every > 0) {
        } else if (std::sscanf(argv[i], "--files=%llu", &from) == 1) {
            return Files(from);
        } else {
            std::fprintf(stderr, "usage: walk_files --seeds=FROM..TO [--every=M] | --files=SEED\n");
            return 2;
        }
    }
    return seeds ? Seeds(from, to, every) : 2;
}
