#pragma once
// Start-up's side of the expression reader: a polynomial typed with
// parentheses is expanded before it is parsed, and a text that cannot be read
// is told why.
#include <string>
#include <string_view>

#include "mainline/expression.hpp"
#include "state/stage.hpp"

namespace yinshi {

struct Engine;

// Only a text with a parenthesis takes the expression reader's road; every
// other text is read exactly as before.
bool HasGroups(std::string_view text);

// After the input message, on the screen only: the pair saying what could
// not be read and where. Nothing when the reader finds no fault.
void ExplainInputError(Engine& e, std::string_view text);

// Replaces InputText by its expansion in the engine's own spelling. Returns
// where the run goes instead: an input error, an expansion past a limit (its
// own message pair, nothing written), or the zero polynomial (the typed text
// and "=0" in the transcript); `typed` is what the transcript's first line shows.
Next ExpandInput(Engine& e, const std::string& typed);

// The message pair of an expansion whose numbers pass the limit.
At ExpansionTooBig(Engine& e);

}  // namespace yinshi
