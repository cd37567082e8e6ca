#pragma once
#include <string_view>

namespace yinshi {

// What the walk does when the line goes on with something that is not a
// parenthesised factor.
enum class TailRule {
    // Only a tail with no ")" left ends the walk; the run before it is written
    // with its count and the tail after that.
    CountedRun,
    // A tail with no "(" before its next ")" ends the walk too. The run's last
    // copy is written out again before the tail, so that the tail (the ")^2" of
    // a square) still applies to one copy only.
    LastCopyApart,
};

// Receives a compacted line piece by piece, in order.
class CompactionOut {
public:
    // Text to be written as it stands.
    virtual void Text(std::string_view text) = 0;
    // The count of the run of equal factors written just before.
    virtual void Power(int count) = 0;
    // Each parenthesised factor the walk passes, every copy of a run included.
    virtual void Factor(std::string_view) {}

protected:
    ~CompactionOut() = default;
};

// A transcript line from its first "(" on, with every run of equal adjacent
// factors written once and then its count. A line without a closed "(" is
// written unchanged and passes no factor.
void WalkFactorRuns(std::string_view line, TailRule tail, CompactionOut& out);

}  // namespace yinshi
