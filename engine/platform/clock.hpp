#pragma once
#include <string>

namespace yinshi {

// The wall clock as the engine reads it: local time as "hh:mm:ss".
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::string Now() = 0;
};

class SystemClock final : public Clock {
public:
    std::string Now() override;
};

// A clock the tests set and advance by hand.
class FakeClock final : public Clock {
public:
    explicit FakeClock(int seconds = 10 * 3600) : seconds_(seconds) {}
    // Each reading first advances the clock by the step (0: the clock stands still),
    // so a long search reaches its time limit in a test.
    std::string Now() override;
    void Set(int h, int m, int s) { seconds_ = (h * 60 + m) * 60 + s; }
    void Advance(int seconds) { seconds_ += seconds; }
    void StepPerReading(int seconds) { step_ = seconds; }
    int Seconds() const { return seconds_; }

private:
    int seconds_;
    int step_ = 0;
};

// Minutes field (characters 4 and 5) of an "hh:mm:ss" text.
int MinutesOf(const std::string& hhmmss);

}  // namespace yinshi
