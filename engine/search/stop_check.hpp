#pragma once
#include "platform/poller.hpp"
#include "state/engine.hpp"

namespace yinshi {

// The time limit and the keys x, t and b, read when the poller says so. True
// when the search must stop and continue at SearchEnd.
bool PollKeysAndClock(Engine& e);

// Called by the trial-factor search at every position it enters (from 1).
// A position probe, when a test has set one, sees the walk whenever the
// poller is due: with the tests' poller, at every position.
inline bool SearchMustStop(Engine& e, int position) {
    ++e.search.PositionsEntered;
    if (!e.poller.Due()) return false;
    if (e.search.PositionProbe) e.search.PositionProbe(position);
    return PollKeysAndClock(e);
}

// Elapsed-minutes test on the clock's minutes field, strict, one hour wrap.
bool MinutesPassed(float nowMinute, float startMinute, float limit);

}  // namespace yinshi
