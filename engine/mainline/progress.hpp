#pragma once
#include "mainline/engine.hpp"
#include "mainline/poller.hpp"

namespace yinshi {

// The time limit and the keys x, t and b, read when the poller says so. True
// when the search must stop and continue at SearchEnd.
bool PollKeysAndClock(Engine& e);

// Called by the trial-factor search at every position it enters.
inline bool SearchMustStop(Engine& e) {
    ++e.search.PositionsEntered;
    return e.poller.Due() && PollKeysAndClock(e);
}

// Elapsed-minutes test on the clock's minutes field, strict, one hour wrap.
bool MinutesPassed(float nowMinute, float startMinute, float limit);

void ShowStatusLine(Engine& e);

}  // namespace yinshi
