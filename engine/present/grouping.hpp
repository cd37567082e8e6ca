#pragma once

namespace yinshi {

struct Engine;

// The collected line and the grouped line of a split f = g*q (g in TrialFactor,
// degree FoundDeg; q in PolyWork, degree CofactorDeg), transcript only; the
// console gets "~~".
void ShowGroupingWorking(Engine& e);
void WriteCollectedLine(Engine& e);
void WriteGroupedLine(Engine& e);

}  // namespace yinshi
