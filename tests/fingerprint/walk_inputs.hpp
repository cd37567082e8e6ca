#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace yinshi::testing {

// One seeded run of the whole engine: the polynomial as the window program
// hands it over, the keys pressed during the searches, the answers to the
// questions and the fake clock.
struct WalkInput {
    struct Press {
        char key;
        long long afterPolls;  // counted from the start of the run
    };
    std::string text;
    std::vector<Press> presses;  // seen by the search's polls, in order
    std::string answers;         // only the questions take these
    int startSeconds = 10 * 3600;
    int secondsPerReading = 1;  // every clock reading advances the clock by this
};

// The input of seed `seed`. The same seed gives the same input on every
// machine (no standard distributions, whose results the library may choose).
WalkInput MakeWalkInput(std::uint64_t seed);

// A line that lets a person rerun the case by hand.
std::string Describe(const WalkInput& in);

// Each run creates and removes a folder of small files: on a memory file
// system that costs a sixth of the time it takes on a disk. Sets TMPDIR to
// /dev/shm when it is unset and that folder is writable.
void PreferMemoryTempDir();

// Which seeds a run of a seeded test program takes: those with
// seed % modulus == remainder.
struct SeedSelection {
    std::uint64_t modulus = 1;
    std::uint64_t remainder = 0;
};

// "--shard=K/N" (seeds with seed % N == K) or "--every=M" (every M-th seed)
// into `sel`; false for any other argument.
bool ReadSeedSelection(const char* arg, SeedSelection& sel);

}  // namespace yinshi::testing
