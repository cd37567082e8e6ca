#pragma once

namespace yinshi {

struct Engine;

// The only code that builds polynomial text. Console and transcript (jg.dat)
// receive slightly different text; see each routine.
void PrintTermTable(Engine& e);
void PrintContentPrefix(Engine& e);
// Writes PolyWork(0..PrintDegree) with powers PrintShift + k; the transcript
// gets it too when PrintMode = 0. Rebuilds the term table of what it printed
// (MaxTerms, TermCoef, every exponent column of TermExp).
void PrintDensePoly(Engine& e);
void PrintPowerSuffix(Engine& e);
void PrintEqualsPrefix(Engine& e);

}  // namespace yinshi
