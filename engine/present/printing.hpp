#pragma once
#include <span>

namespace yinshi {

struct Engine;

// Where the dense printer writes: the screen alone, or the screen and the
// transcript (jg.dat).
enum class PrintTarget { Screen, ScreenAndTranscript };

// The only code that builds polynomial text. Console and transcript (jg.dat)
// receive slightly different text; see each routine.
void PrintTermTable(Engine& e);
// The term table as read, with fractions: each numerator, "/" and its
// denominator when it is not 1, the letters; the line ended on the screen only.
void PrintFractionTerms(Engine& e);
void PrintContentPrefix(Engine& e);
// Writes "(" coefs(degree) .. coefs(0) ")", highest power first, each
// non-zero coefficient with the monomial of image power shift + k in the
// current variable order (VarCount, VarName, VarWeight); to the transcript as
// well for PrintTarget::ScreenAndTranscript. Writes nothing else: the term
// table of what it printed is RebuildTermTable's, for the callers that need it.
// Preconditions (asserted in debug builds): 0 <= degree < coefs.size().
void PrintDensePoly(Engine& e, std::span<const float> coefs, int degree, int shift, PrintTarget target);
// Makes the term table that of coefs(0..degree) read as image powers
// shift + k: one row per non-zero coefficient, highest power first, MaxTerms
// rows, each with its coefficient in TermCoef and its exponents in every
// column 1..VarCount of TermExp; the table grows when it has too few rows.
// TermCount and the rows past MaxTerms are left as they were.
// Preconditions (asserted in debug builds): 0 <= degree < coefs.size().
void RebuildTermTable(Engine& e, std::span<const float> coefs, int degree, int shift);
// Writes to the transcript the monomial of image power power + LowExp.
void PrintPowerSuffix(Engine& e, int power);
void PrintEqualsPrefix(Engine& e);

}  // namespace yinshi
