#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "walk_inputs.hpp"

namespace yinshi::testing {

// One whole run of the engine in-process on `in`, in a fresh temporary
// folder, reduced to a 64-bit hash of: the walk at every position it enters
// (position, pair, g and q so far, the walking points, the bounds, the
// counters), the engine's state at every stage boundary (flags, bounds,
// polynomials, the saved search state, the candidate store, the counters), the
// final screen cells and the whole printed log, and every file the run left
// behind.
// `positions` and `candidates`, when given, receive the run's counts of
// positions entered and complete assignments.
std::uint64_t WalkFingerprint(const WalkInput& in, long long* positions = nullptr, long long* candidates = nullptr);

// The recorded file: one 16-digit hex hash per line, seed 0 first; lines
// starting with '#' are comments.
std::vector<std::uint64_t> ReadFingerprints(const std::string& path);
bool WriteFingerprints(const std::string& path, const std::vector<std::uint64_t>& hashes);

}  // namespace yinshi::testing
