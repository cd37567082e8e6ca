#pragma once
#include <chrono>

namespace yinshi {

// Decides when the search reads the real keyboard and clock. The search enters
// millions of positions a second; reading a device at each would cost a system
// call per position, so production reads them at most about once a
// millisecond. Tests poll at every position so that a scripted key or a clock
// step is seen at the very next one.
class Poller {
public:
    // every = 1: due at every position (tests).
    explicit Poller(int every = 1, std::chrono::microseconds minGap = std::chrono::microseconds(0))
        : every_(every), countdown_(every), minGap_(minGap) {}

    static Poller Production() { return Poller(1024, std::chrono::milliseconds(1)); }

    bool Due() {
        if (--countdown_ > 0) return false;
        countdown_ = every_;
        if (minGap_.count() == 0) return true;
        auto now = std::chrono::steady_clock::now();
        if (now - last_ < minGap_) return false;
        last_ = now;
        return true;
    }

private:
    int every_;
    int countdown_;
    std::chrono::microseconds minGap_;
    std::chrono::steady_clock::time_point last_{};
};

}  // namespace yinshi
