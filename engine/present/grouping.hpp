#pragma once
#include <span>

#include "state/image_power.hpp"

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

// How the working names the powers of f: its degree, the image power of its
// lowest term, and the letters its image powers are read in.
struct ImageReading {
    ImageLetters letters;
    int degree = 0;
    float lowExp = 0;
};

// The collected line and the grouped line of a split of f, transcript only;
// the console gets "~~". ShowGroupingWorking reads f as the engine holds it
// (DegreeKeep, LowExp, the current letters).
// Preconditions of all three (asserted in debug builds): 0 <= gDeg <
// g.size() and 0 <= qDeg < q.size().
void ShowGroupingWorking(Engine& e, const DenseSplit& s);
void WriteCollectedLine(Engine& e, const DenseSplit& s, const ImageReading& f);
void WriteGroupedLine(Engine& e, const DenseSplit& s, const ImageReading& f);

}  // namespace yinshi
