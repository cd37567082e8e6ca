#pragma once
#include <algorithm>

#include "platform/poller.hpp"
#include "state/engine.hpp"

namespace yinshi {

// The time limit and the keys x, t and b, read when the poller says so. True
// when the search must stop and continue at SearchEnd. b shows the trial
// degree `degree`.
bool PollKeysAndClock(Engine& e, int degree);

// Called by the trial-factor search at every position it enters (from 1).
// A position probe, when a test has set one, sees the walk whenever the
// poller is due: with the tests' poller, at every position.
inline bool SearchMustStop(Engine& e, int position) {
    ++e.search.PositionsEntered;
    if (++e.search.PolyPositions > e.search.PositionBudget) {
        e.search.BudgetSpent = true;
        return true;
    }
    if (!e.poller.Due()) return false;
    if (e.search.PositionProbe) e.search.PositionProbe(position);
    return PollKeysAndClock(e, e.search.TrialDegree);
}

// A new polynomial is searched from here on: its positions are counted afresh.
inline void CountPositionsAfresh(SearchState& s) {
    s.PolyPositionsMost = std::max(s.PolyPositionsMost, s.PolyPositions);
    s.PolyPositions = 0;
}

// The most positions the walk entered for one polynomial of this run.
inline long long MostPositionsPerPolynomial(const SearchState& s) {
    return std::max(s.PolyPositionsMost, s.PolyPositions);
}

// Elapsed-minutes test on the clock's minutes field, strict, one hour wrap.
bool MinutesPassed(float nowMinute, float startMinute, float limit);

}  // namespace yinshi
