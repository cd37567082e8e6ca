#pragma once
#include <span>

#include "present/output.hpp"
#include "state/image_power.hpp"

namespace yinshi {

struct Engine;
struct TermTable;

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
// The engine's screen, and its transcript for PrintTarget::ScreenAndTranscript.
Output OutputOf(Engine& e, PrintTarget target);
// Writes "(" coefs(degree) .. coefs(0) ")", highest power first, each
// non-zero coefficient with the monomial of image power shift + k in the
// given letters; to the transcript as well when the output names it. Writes
// nothing else: the term table of what it printed is RebuildTermTable's, for the callers that need it.
// Preconditions (asserted in debug builds): 0 <= degree < coefs.size().
void PrintDensePoly(const Output& out, const ImageLetters& letters, std::span<const float> coefs, int degree,
                    int shift);
// The same in the engine's current letters, to the screen and the target.
void PrintDensePoly(Engine& e, std::span<const float> coefs, int degree, int shift, PrintTarget target);
// Makes the term table that of coefs(0..degree) read as image powers
// shift + k: one row per non-zero coefficient, highest power first, MaxTerms
// rows, each with its coefficient in TermCoef and its exponents in every
// column 1..count of TermExp; the table grows when it has too few rows.
// TermCount and the rows past MaxTerms are left as they were.
// Preconditions (asserted in debug builds): 0 <= degree < coefs.size().
void RebuildTermTable(TermTable& t, const ImageLetters& letters, std::span<const float> coefs, int degree, int shift);
// The same in the engine's current letters.
void RebuildTermTable(Engine& e, std::span<const float> coefs, int degree, int shift);
// Writes to the transcript the monomial of image power power + lowExp.
void PrintPowerSuffix(Transcript& jg, const ImageLetters& letters, int power, float lowExp);
// The same in the engine's current letters, from its LowExp.
void PrintPowerSuffix(Engine& e, int power);
void PrintEqualsPrefix(Engine& e);

}  // namespace yinshi
