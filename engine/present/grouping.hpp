#pragma once
#include <span>

namespace yinshi {

struct Engine;

// A split f = g*q as the grouping working shows it: g(0..gDeg) and
// q(0..qDeg), ascending powers.
struct DenseSplit {
    std::span<const float> g;
    int gDeg = 0;
    std::span<const float> q;
    int qDeg = 0;
};

// The collected line and the grouped line of a split of f (degree
// DegreeKeep, lowest power LowExp), transcript only; the console gets "~~".
// Preconditions of all three (asserted in debug builds): 0 <= gDeg <
// g.size() and 0 <= qDeg < q.size().
void ShowGroupingWorking(Engine& e, const DenseSplit& s);
void WriteCollectedLine(Engine& e, const DenseSplit& s);
void WriteGroupedLine(Engine& e, const DenseSplit& s);

}  // namespace yinshi
