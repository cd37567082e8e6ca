#pragma once

namespace yinshi {

struct Engine;

// Groups of the stored factors but the newest (ItemCount of them), smallest
// groups first, each multiplied into PolyWork, which holds
// the reduced polynomial. The first group whose product splits the kept
// polynomial ends the walk, with the store holding that group and PolyWork
// its product; otherwise PolyWork is the reduced polynomial again.
void CombineStoredFactors(Engine& e);
// Writes the pl files for `count` variables and, unless a file failed, keeps
// the order whose image spreads least.
void OrderVariables(Engine& e, int count);
// Writes pl1/pl2 with every permutation of 1..k; PlOut names the complete one.
void BuildPlFiles(Engine& e, int k);
void ChooseVariableOrder(Engine& e);

}  // namespace yinshi
