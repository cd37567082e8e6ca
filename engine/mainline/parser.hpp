#pragma once
#include <string>

#include "state/stage.hpp"

namespace yinshi {

struct Engine;

// Inserts "^" after d/e before a digit 1-9 and "^1" before a sign, and removes
// blanks, so that letters never read as the exponent of a number.
std::string PrePass(std::string text);

// Prints the one input message on a line of its own and closes every file, so
// that nothing of a rejected text survives the run. Returns EndPrompt.
At InputError(Engine& e);

// InputText -> DXS1.DAT. On an input error prints the input-error message on a
// line of its own, closes every open file and returns EndPrompt; when DXS1.DAT
// cannot be written, returns FileProblem.
Next TokenizeText(Engine& e);
// Record r of dj.dat (e.dj) -> InputText without its first and last character -> DXS1.DAT.
// A record that cannot be read says so and returns CloseAll.
Next TokenizeFactorRecord(Engine& e, int record);
// DXS1.DAT -> the term table. More than 20 terms says so and returns EndPrompt
// (CloseAll for a factor record: the run's product is still certified); a file
// that does not read back as written returns FileProblem.
enum class TermSource { Typed, FactorRecord };
Next LoadTerms(Engine& e, TermSource source = TermSource::Typed);

}  // namespace yinshi
