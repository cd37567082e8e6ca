#pragma once
#include <string>

namespace yinshi {

struct Engine;

// The queue file of pending binomial number `number`: "gsys" and the number in
// text form, so the first one is "gsys 1".
std::string GsysFileName(float number);

// Loads queued binomial `number` into the term table: VarCount, then for the
// two terms the coefficient and one exponent per variable, then the letters
// one per line; TermCount = 2. False, with the table untouched, when the file
// is missing, short, or names an impossible variable count.
bool ReadGsysFile(Engine& e, int number);

}  // namespace yinshi
