#pragma once
#include "state/stage.hpp"

namespace yinshi {

struct Engine;

// The k-subset walk over ItemCount items for its three clients (variable order,
// factor combination, another solution). Returns EndPrompt when the
// another-solution client ends the run, otherwise nothing.
Next EnumerateSubsets(Engine& e);
// Writes pl1/pl2 with every permutation of 1..k; PlOut names the complete one.
void BuildPlFiles(Engine& e, int k);
void ChooseVariableOrder(Engine& e);

}  // namespace yinshi
