#pragma once
#include "present/grouping.hpp"

namespace yinshi {

struct Engine;

// f = (G)(Q), G = s.g(0..gDeg) and Q = s.q(0..qDeg), on the console and in the
// transcript, even though the main line has already closed it; sets Stage = 1.
// Preconditions (asserted in debug builds): those of DenseSplit's printers.
void ShowRepeatedSplit(Engine& e, const DenseSplit& s);

}  // namespace yinshi
