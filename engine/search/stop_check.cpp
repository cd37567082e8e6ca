// The keys x, t and b and the time limit, read while the search runs.
#include "search/stop_check.hpp"

#include <optional>

namespace yinshi {

bool MinutesPassed(float now, float start, float limit) {
    return (now - start > limit) || (now < start && now - (start - 60) > limit);
}

bool PollKeysAndClock(Engine& e, int degree) {
    RunFlags& r = e.run;
    if (!(IsFirstPass(r) && r.StopReason == StopReason::NoLimit)) {
        float now = static_cast<float>(MinutesOf(e.clock.Now()));
        if (MinutesPassed(now, r.StartMinute, PassMinutes(r.SearchPass))) {
            r.StopReason = StopReason::Retune;
            r.StoppedBy = StoppedBy::TimeLimitOrX;
            return true;
        }
    }
    std::optional<char> key = e.keys.Poll();
    if (!key) return false;
    switch (*key) {
        case 'b':
        case 'B':
            r.StopReason = StopReason::NoLimit;
            e.report.NoLimitAsked(degree);
            return false;
        case 'x':
        case 'X':
            r.StoppedBy = StoppedBy::TimeLimitOrX;
            r.StopReason = StopReason::Retune;
            return true;
        case 't':
        case 'T':
            r.StoppedBy = StoppedBy::KeyT;
            r.StopReason = StopReason::Leave;
            return true;
        default: return false;
    }
}

}  // namespace yinshi
